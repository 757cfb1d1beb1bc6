#pragma once

#include <QElapsedTimer>
#include <functional>

namespace testsupport {

// Processes events until `done` holds or `timeoutMs` has passed; returns `done()`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Processes events for `ms` milliseconds.
void spin(int ms);

}  // namespace testsupport

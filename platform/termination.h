#pragma once

#include <functional>

namespace platform {

// Runs `onSignal` on the user-interface thread when the process receives SIGINT or
// SIGTERM, so a program without a window can end cleanly from its event loop.
void onTerminationSignal(std::function<void(int signal)> onSignal);

}  // namespace platform

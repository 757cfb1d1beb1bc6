#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The desktop's "open" action on an address; false when nothing could handle it.
bool openUrl(const QString& address);

// Starts a program of its own, detached from this one; false when it cannot start.
bool startProgram(const QString& path, const QStringList& arguments = {});

}  // namespace platform

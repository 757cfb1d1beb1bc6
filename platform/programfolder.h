#pragma once

#include <QString>

namespace platform {

// The folder the program keeps its files in (settings, tally, downloads): the
// executable's folder when it is writable, otherwise the per-user data folder.
// QUIVELO_PROGRAM_DIR overrides both, so tests can give each copy a folder of its own.
QString programFolder();

// programFolder() joined with a file name.
QString programFile(const QString& fileName);

}  // namespace platform

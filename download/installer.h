#pragma once

#include <QString>

// The lobby's installer: where it comes from, how it is checked and how it starts.
namespace installer {

// The installer's address: the environment variable QUIVELO_INSTALLER_URL when it
// is set, otherwise the build's (the CMake cache variable of the same name).
QString url();

// The SHA-256 digest the build expects of the installer, in hex; empty when the
// build names none (QUIVELO_INSTALLER_SHA256) and the download is unchecked.
QString expectedDigest();

// The installer's file name: the address after its last "/".
QString fileName(const QString& address);

// True when `expected` is empty or is the file's SHA-256 digest (hex, any case).
bool digestMatches(const QString& path, const QString& expected);

// Makes the file executable by its owner and starts it with the arguments
// "/SP-", "/silent", "/noicons"; false when it could not be started.
bool start(const QString& path);

}  // namespace installer

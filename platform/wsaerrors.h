#pragma once

#include <string_view>

namespace platform {

// Socket failures are reported with Windows Sockets codes, so every copy of the
// program shows the same "Error #10061 (WSAECONNREFUSED)" texts.
int wsaErrorFromErrno(int err);

// Host-database failures (getaddrinfo's EAI_* codes) as 11001..11004.
int wsaErrorFromLookup(int eaiCode);

// The Windows Sockets name of a code, or "UNKNOWN ERROR".
std::string_view wsaErrorName(int code);

}  // namespace platform

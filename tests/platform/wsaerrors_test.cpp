#include <gtest/gtest.h>

#include <cerrno>

#include "platform/wsaerrors.h"

TEST(WsaErrors, EveryListedCodeHasItsName) {
    EXPECT_EQ(platform::wsaErrorName(10004), "WSAEINTR");
    EXPECT_EQ(platform::wsaErrorName(10035), "WSAEWOULDBLOCK");
    EXPECT_EQ(platform::wsaErrorName(10061), "WSAECONNREFUSED");
    EXPECT_EQ(platform::wsaErrorName(10071), "WSAEREMOTE");
    EXPECT_EQ(platform::wsaErrorName(10101), "WSAEDISCON");
    EXPECT_EQ(platform::wsaErrorName(11001), "WSAHOST_NOT_FOUND");
    EXPECT_EQ(platform::wsaErrorName(11004), "WSANO_DATA");
    int named = 0;
    for (int code = 10000; code < 11010; ++code)
        if (platform::wsaErrorName(code) != "UNKNOWN ERROR") ++named;
    // 10004, 10009, 10013, 10014, 10022, 10024, 10035..10071, 10091..10093, 10101, 11001..11004
    EXPECT_EQ(named, 6 + 37 + 3 + 1 + 4);
    EXPECT_EQ(platform::wsaErrorName(10000), "UNKNOWN ERROR");
    EXPECT_EQ(platform::wsaErrorName(0), "UNKNOWN ERROR");
}

TEST(WsaErrors, ErrnoValuesBecomeWindowsSocketsCodes) {
    EXPECT_EQ(platform::wsaErrorFromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(platform::wsaErrorFromErrno(EAGAIN), 10035);
    EXPECT_EQ(platform::wsaErrorFromErrno(ECONNRESET), 10054);
    EXPECT_EQ(platform::wsaErrorFromErrno(EADDRINUSE), 10048);
    // Unmapped values stay errors (above 10000) without borrowing a listed name.
    const int odd = platform::wsaErrorFromErrno(ENOEXEC);
    EXPECT_GT(odd, 10000);
    EXPECT_EQ(platform::wsaErrorName(odd), "UNKNOWN ERROR");
}

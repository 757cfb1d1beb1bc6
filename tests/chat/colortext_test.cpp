#include "chat/colortext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using colortext::colorToText;
using colortext::textToColor;

TEST(ColorTextTest, NamedColoursBothWays) {
    const std::pair<std::uint32_t, const char*> named[] = {
        {0x000000, "clBlack"},    {0x0000FF, "clRed"},         {0x00FF00, "clLime"},
        {0xFF0000, "clBlue"},     {0xC0C0C0, "clSilver"},      {0x808000, "clTeal"},
        {0xFFFFFF, "clWhite"},    {0x80000000, "clScrollBar"}, {0x80000015, "cl3DDkShadow"},
        {0x80000018, "clInfoBk"}, {0x1FFFFFFF, "clNone"},
    };
    for (const auto& [value, name] : named) {
        EXPECT_EQ(colorToText(value), name);
        EXPECT_EQ(textToColor(name), value) << name;
    }
    // Every desktop colour has its own name, and only those 25 do.
    int names = 0;
    for (std::uint32_t value = 0x80000000; value < 0x80000020; ++value) {
        const std::string text = colorToText(value);
        if (text.front() != '$') ++names;
        EXPECT_EQ(textToColor(text), value) << text;
    }
    EXPECT_EQ(names, 25);
}

TEST(ColorTextTest, OtherValuesAsEightHexDigits) {
    EXPECT_EQ(colorToText(0x00123456), "$00123456");
    EXPECT_EQ(colorToText(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(colorToText(0xFFFFFFFF), "$FFFFFFFF");
    for (std::uint32_t value : {0x00000001u, 0x00FEFEFEu, 0x12345678u, 0x7FFFFFFFu}) {
        EXPECT_EQ(textToColor(colorToText(value)), value);
    }
}

TEST(ColorTextTest, NamesInAnyCase) {
    EXPECT_EQ(textToColor("cllime"), 0x00FF00u);
    EXPECT_EQ(textToColor("CLLIME"), 0x00FF00u);
    EXPECT_EQ(textToColor("ClInFoBk"), 0x80000018u);
    EXPECT_EQ(textToColor("CLNONE"), 0x1FFFFFFFu);
}

TEST(ColorTextTest, NumbersInHexOrDecimal) {
    EXPECT_EQ(textToColor("$000000FF"), 0x0000FFu);
    EXPECT_EQ(colorToText(*textToColor("$000000FF")), "clRed");
    EXPECT_EQ(textToColor("$ff"), 0xFFu);
    EXPECT_EQ(textToColor("$FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(textToColor("255"), 0xFFu);
    EXPECT_EQ(textToColor("0"), 0u);
    EXPECT_EQ(textToColor("+16"), 16u);
    EXPECT_EQ(textToColor("-2147483633"), 0x8000000Fu);  // clBtnFace written signed
    EXPECT_EQ(textToColor("2147483647"), 0x7FFFFFFFu);
}

TEST(ColorTextTest, AnythingElseFails) {
    for (const char* text : {"red", "", "$", "12x", "x12", " 12", "12 ", "$12G", "$-1",
                             "$100000000", "2147483648", "-2147483649", "-", "+", "clRedd"}) {
        EXPECT_FALSE(textToColor(text).has_value()) << '"' << text << '"';
    }
}

}  // namespace

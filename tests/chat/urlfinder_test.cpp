// Which part of a chat text is a web address a player can click.
#include <gtest/gtest.h>

#include "chat/urlfinder.h"

using urlfinder::UrlInRange;
using urlfinder::wordAround;

namespace {

// The address found in the word around `index` of `text`, or "-" for none.
std::u16string at(std::u16string_view text, std::size_t index) {
    const auto [first, last] = wordAround(text, index);
    if (first == last) return u"-";
    const auto url = UrlInRange(text, first, last);
    return url ? url->address : u"-";
}

}  // namespace

TEST(UrlFinder, TrailingPunctuationIsLeftOutAndATrailingSlashStays) {
    EXPECT_EQ(at(u"see http://example.com.", 6), u"http://example.com");
    EXPECT_EQ(at(u"see http://example.com, then", 6), u"http://example.com");
    EXPECT_EQ(at(u"(www.example.com)", 3), u"www.example.com");
    EXPECT_EQ(at(u"ftp://files.example.net/pub/", 0), u"ftp://files.example.net/pub/");
    EXPECT_EQ(at(u"mailto:ann@example.com!", 2), u"mailto:ann@example.com");
}

TEST(UrlFinder, ThePrefixAloneIsNoAddress) {
    EXPECT_EQ(at(u"http://", 0), u"-");
    EXPECT_EQ(at(u"go to http://.", 8), u"-") << "nothing survives the trimming";
    EXPECT_EQ(at(u"www.x", 0), u"www.x");
    EXPECT_EQ(at(u"just words", 2), u"-");
}

TEST(UrlFinder, TheTablesOrderDecidesBetweenTwoPrefixes) {
    // "www." comes first in the word, "http://" first in the table.
    EXPECT_EQ(at(u"www.a.com/http://b.org", 0), u"http://b.org");
    EXPECT_EQ(at(u"news:www.example.com", 0), u"news:www.example.com");
}

TEST(UrlFinder, CapitalsAreFoundAndKept) {
    EXPECT_EQ(at(u"HTTP://Example.COM/Page", 4), u"HTTP://Example.COM/Page");
    EXPECT_EQ(at(u"Www.Example.Com", 0), u"Www.Example.Com");
}

TEST(UrlFinder, TheRangeNarrowsToTheAddress) {
    const std::u16string_view text = u"hi xyzhttp://a.b/c.\nnext";
    const auto [first, last] = wordAround(text, 5);
    EXPECT_EQ(first, 3u);
    EXPECT_EQ(last, 19u) << "the word ends at the line end";
    const auto url = UrlInRange(text, first, last);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->start, 6u);
    EXPECT_EQ(url->length, 12u);
    EXPECT_EQ(url->address, u"http://a.b/c");
}

TEST(UrlFinder, NothingPastTheEndOrOnABlank) {
    const std::u16string_view text = u"www.example.com next";
    EXPECT_EQ(at(text, text.size()), u"-");
    EXPECT_EQ(at(text, text.size() + 10), u"-");
    EXPECT_EQ(at(text, 15), u"-") << "the blank after the address";
    EXPECT_FALSE(UrlInRange(text, 30, 40));
    // A range reaching the text's end takes no character beyond it.
    const auto url = UrlInRange(u"www.ab", 0, 6);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->address, u"www.ab");
}

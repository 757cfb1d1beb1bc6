// The ini profile file on real files: what a read finds, and that a write changes
// one line of a file another program keeps and leaves every other byte alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/inifile.h"

using platform::IniFile;

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    QByteArray contents() {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
    QString path = dir.filePath("vantlobby.ini");
    IniFile ini{path};
};

// What another program left in the shared file, with Windows line ends.
const QByteArray kShared =
    "; settings of the lobby and its games\r\n"
    "[Lobby]\r\n"
    "Server = lobby.example.net\r\n"
    "TextSize=14\r\n"
    "\r\n"
    "[quivelo]\r\n"
    "TEXTCOLOR = \"clRed\"\r\n"
    "; a comment inside the section\r\n"
    "Phrase1=Hello there\r\n"
    "\r\n"
    "[Other]\r\n"
    "key=value";  // the last line has no end

}  // namespace

TEST_F(IniFileTest, ReadsIgnoreLetterCaseAndFallBackToTheDefault) {
    EXPECT_EQ(ini.readString("Quivelo", "Textcolor", "cllime"), "cllime") << "no file";
    write(kShared);
    EXPECT_EQ(ini.readString("Quivelo", "Textcolor", "cllime"), "clRed")
        << "names in any case, blanks and quotes around the value removed";
    EXPECT_EQ(ini.readString("QUIVELO", "phrase1", ""), "Hello there");
    EXPECT_EQ(ini.readString("Quivelo", "TextSize", "none"), "none")
        << "a key of another section is not ours";
    EXPECT_EQ(ini.readString("Quivelo", "Phrase2", "built-in"), "built-in");
    EXPECT_EQ(ini.readString("Other", "key", ""), "value");
    EXPECT_EQ(ini.readString("Missing", "key", "d"), "d");
}

TEST_F(IniFileTest, IntegersAreDecimalOrHexadecimal) {
    write("[Quivelo]\nA=11\nB=0x1A\nC=0X10\nD=eleven\nE=\nF=12pt\n");
    EXPECT_EQ(ini.readInteger("Quivelo", "A", 8), 11);
    EXPECT_EQ(ini.readInteger("Quivelo", "B", 8), 26);
    EXPECT_EQ(ini.readInteger("Quivelo", "C", 8), 16);
    for (const char* key : {"D", "E", "F", "G"})
        EXPECT_EQ(ini.readInteger("Quivelo", key, 8), 8) << key;
}

TEST_F(IniFileTest, AValueIsReadAsAtMost2047Characters) {
    write("[Quivelo]\r\nPhrase1=" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_EQ(ini.readString("Quivelo", "Phrase1", "").size(), IniFile::kMaxValue);
}

TEST_F(IniFileTest, AWriteChangesOneLineAndKeepsEveryOtherByte) {
    write(kShared);
    ini.writeString("Quivelo", "Textcolor", "clLime");
    QByteArray expected = kShared;
    expected.replace("TEXTCOLOR = \"clRed\"\r\n", "Textcolor=clLime\r\n");
    EXPECT_EQ(contents(), expected);

    ini.writeString("quivelo", "Playsounds", "false");
    expected.replace("Phrase1=Hello there\r\n", "Phrase1=Hello there\r\nPlaysounds=false\r\n");
    EXPECT_EQ(contents(), expected) << "a new key goes after the section's last line";

    ini.writeString("Other", "more", "yes");
    expected += "\r\nmore=yes\r\n";
    EXPECT_EQ(contents(), expected) << "the unended last line gets its end";

    ini.writeString("New Section", "k", "v");
    expected += "[New Section]\r\nk=v\r\n";
    EXPECT_EQ(contents(), expected);
    EXPECT_EQ(ini.readString("Quivelo", "Textcolor", ""), "clLime");
}

TEST_F(IniFileTest, AFileWithUnixLineEndsKeepsThem) {
    write("[Quivelo]\nTextsize=10\n");
    ini.writeString("Quivelo", "Textsize", "12");
    ini.writeString("Quivelo", "Phrase3", "two\r\nlines");
    EXPECT_EQ(contents(), "[Quivelo]\nTextsize=12\nPhrase3=two  lines\n")
        << "a line break in a value cannot start a line of its own";
}

TEST_F(IniFileTest, AMissingFileIsCreatedWithTheSection) {
    ini.writeString("Quivelo", "Textsize", "8");
    EXPECT_EQ(contents(), "[Quivelo]\r\nTextsize=8\r\n");
}

TEST_F(IniFileTest, ARefusedWriteSaysWhereAndLeavesTheFileWhole) {
    const IniFile nowhere(dir.filePath("no such folder/vantlobby.ini"));
    try {
        nowhere.writeString("Quivelo", "Textsize", "8");
        FAIL();
    } catch (const platform::EIniWrite& e) {
        EXPECT_EQ(
            std::string(e.what()),
            "Unable to write to " + dir.filePath("no such folder/vantlobby.ini").toStdString());
    }
    // Far larger than any settings: not a file this program will rewrite.
    const QByteArray huge = "[Quivelo]\r\n" + QByteArray(IniFile::kMaxFileSize, ';');
    write(huge);
    EXPECT_THROW(ini.writeString("Quivelo", "Textsize", "8"), platform::EIniWrite);
    EXPECT_EQ(contents(), huge);
    EXPECT_EQ(ini.readString("Quivelo", "Textsize", "d"), "d");
}

// The help window: its pages, its page buttons and "About".
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "ui/helppages.h"
#include "ui/thelp.h"

namespace {

QPushButton* pageButton(Thelp& help, const QString& caption) {
    for (QPushButton* b : help.findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

void click(Thelp& help, const QString& caption) {
    QPushButton* b = pageButton(help, caption);
    ASSERT_TRUE(b) << caption.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
}

}  // namespace

TEST(Help, OpensOnTheOverviewPage) {
    Thelp help;
    help.show();
    EXPECT_EQ(help.windowTitle(), "Quivelo - Help");
    EXPECT_EQ(help.label_caption->text(), "Overview");
    EXPECT_EQ(help.currentPage(), 1);
    auto* memo1 = help.findChild<QPlainTextEdit*>("memo1");
    ASSERT_TRUE(memo1);
    EXPECT_TRUE(memo1->isVisible());
    EXPECT_TRUE(memo1->toPlainText().startsWith("Overview\n\nQuivelo is a multiplayer dice game."));
}

TEST(Help, GamePlayThenScoringShowsTheScoringPage) {
    Thelp help;
    help.show();
    click(help, "Game Play");
    EXPECT_EQ(help.label_caption->text(), "Game Play");
    EXPECT_EQ(help.currentPage(), 4);
    click(help, "Scoring");
    EXPECT_EQ(help.label_caption->text(), "Scoring");
    EXPECT_EQ(help.currentPage(), 3);
    EXPECT_TRUE(help.findChild<QWidget*>("memo3")->isVisible());
    EXPECT_FALSE(help.findChild<QWidget*>("memo4")->isVisible());
}

TEST(Help, AboutShowsTheAboutWindowAndLeavesHelpOpen) {
    Thelp help;
    help.show();
    int abouts = 0;
    help.onAbout = [&] { ++abouts; };
    click(help, "About");
    EXPECT_EQ(abouts, 1);
    EXPECT_TRUE(help.isVisible());
    click(help, "Done");
    EXPECT_FALSE(help.isVisible());
}

TEST(Help, ReopeningKeepsThePageLastShown) {
    Thelp help;
    help.show();
    click(help, "License");
    click(help, "Done");
    help.show();
    EXPECT_EQ(help.currentPage(), 5);
    EXPECT_EQ(help.label_caption->text(), "License");
}

TEST(Help, EveryLineOfEveryPageStaysOneLineOnScreen) {
    Thelp help;
    help.show();
    for (const HelpPage& page : helpPages()) {
        auto* memo = help.findChild<QPlainTextEdit*>(QString("memo%1").arg(page.number));
        ASSERT_TRUE(memo);
        click(help, page.title);
        QTextDocument* doc = memo->document();
        int lines = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            ASSERT_TRUE(b.layout());
            EXPECT_EQ(b.layout()->lineCount(), 1)
                << page.title.toStdString() << ": \"" << b.text().toStdString() << "\"";
            ++lines;
        }
        EXPECT_EQ(lines, page.text.count('\n') + 1) << page.title.toStdString();
    }
}

TEST(Help, EveryPageButtonCaptionFits) {
    Thelp help;
    help.show();
    for (const char* caption : {"Overview", "Connecting", "Game Play", "Scoring", "Documentation",
                                "License", "About", "Done"}) {
        QPushButton* b = pageButton(help, caption);
        ASSERT_TRUE(b) << caption;
        EXPECT_LE(b->sizeHint().width(), b->width()) << caption;
        EXPECT_LE(b->geometry().right(), help.label_caption->x()) << caption;
    }
}

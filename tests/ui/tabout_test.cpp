// The about window: every line whole, and the version read as one.
#include <gtest/gtest.h>

#include <QLabel>

#include "ui/tabout.h"

TEST(About, ReadsVersion2_0_10_4AsOneLine) {
    Tabout about;
    about.show();
    auto* version = about.findChild<QLabel*>("label_version");
    auto* number = about.findChild<QLabel*>("label_versionnumber");
    auto* build = about.findChild<QLabel*>("label_build");
    ASSERT_TRUE(version && number && build);
    EXPECT_EQ(version->text() + " " + number->text() + build->text(), "Version 2.0.10.4");
    EXPECT_EQ(version->y(), number->y());
    EXPECT_EQ(number->y(), build->y());
    const QFontMetrics fm = version->fontMetrics();
    const int textEnd = version->x() + fm.horizontalAdvance(version->text());
    EXPECT_GE(number->x() - textEnd, fm.horizontalAdvance(' ')) << "a blank after \"Version\"";
    EXPECT_EQ(build->x(), number->geometry().right() + 1) << "\".4\" follows the number";
}

TEST(About, NoLabelIsClipped) {
    Tabout about;
    about.show();
    const QRect window = about.rect();
    for (QLabel* label : about.findChildren<QLabel*>()) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        EXPECT_TRUE(window.contains(label->geometry())) << label->text().toStdString();
    }
}

// The main window's size and font: the layout is drawn for 8 points and a client
// area of 783 x 467 under the menu bar.
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

#include "client/tchat.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"

TEST_F(WindowTest, TheClientAreaNeverShrinksBelowItsLayout) {
    createWindows({"Ann"});
    w().show();
    testsupport::spin(20);
    w().resize(300, 200);
    testsupport::spin(20);
    EXPECT_GE(w().centralWidget()->width(), 783);
    EXPECT_GE(w().centralWidget()->height(), 467);
    const QWidget* input = w().mychat;
    const QPoint inputBottom = input->mapTo(w().centralWidget(), QPoint(0, input->height()));
    EXPECT_LE(inputBottom.y(), w().centralWidget()->height()) << "the chat input line is whole";
    EXPECT_GE(w().centralWidget()->y(), w().menuBar()->height());
}

TEST_F(WindowTest, CaptionsFitTheirLabelsInTheEightPointFace) {
    createWindows({"Ann"});
    const QFontInfo face(w().font());
    EXPECT_EQ(face.family(), "DejaVu Sans") << "the face the artwork uses, found on this system";
    EXPECT_EQ(w().font().pointSize(), 8);
    for (const char* name : {"label_dartcaption1", "label_dartcaption2", "label_dartcaption3",
                             "label_round", "label_turn", "label_wintitle1"}) {
        const QLabel* label = w().control<QLabel>(name);
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(needed + 4, label->width())
            << name << " \"" << label->text().toStdString() << "\" needs " << needed;
    }
}

// What a hostile or broken host sends: markup is shown as the text it is, and a
// flood of lines that fail never opens more than one error box.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "client/tchat.h"
#include "platform/messagebox.h"
#include "tests/client/windowfixture.h"
#include "tests/support/eventloop.h"

using testsupport::waitUntil;

namespace {

// A label shows markup literally when it lays out every character of it.
void expectLiteral(QLabel* label, const QString& text) {
    EXPECT_EQ(label->text(), text);
    EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(text))
        << label->objectName().toStdString() << " drew \"" << text.toStdString()
        << "\" as rich text";
}

}  // namespace

TEST_F(FakeHostTest, TextFromTheHostIsShownAsPlainText) {
    joinAs("Ann", 1);
    hostSendsAll({"CMD_newplayerinfo+1+Ann", "CMD_existingplayers+2+<b>Bob</b>",
                  "CMD_loadboard+2+15+1+<i>40</i>", "CMD_nextplayer+2",
                  "CMD_thedart+1+1+1+1+1+1+1+1+1+1+1+1+", "CMD_placedice+2+<h1>x</h1>+1+1+1",
                  "CMD_winner+<h1>Bob"});
    expectLiteral(w().control<QLabel>("label_playername2"), "<b>Bob</b>");
    expectLiteral(w().control<QLabel>("label_score2"), "<i>40</i>");
    expectLiteral(w().control<QLabel>("label_turn"), "<b>Bob</b>'s turn.");
    expectLiteral(w().control<QLabel>("label_dart1"), "<h1>x</h1>");
    expectLiteral(w().control<QLabel>("label_winner1"), "<h1>Bob");
    expectLiteral(w().control<QLabel>("label_winner2"), "<h1>Bob");
    EXPECT_TRUE(chatLines().contains("<h1>Bob has Won the Game!"));
}

TEST_F(FakeHostTest, AFloodOfFailingLinesOpensOneErrorBox) {
    joinAs("Ann", 1);
    platform::setBoxPresenter({});  // the real box, which waits for its click
    constexpr int kLines = 30;
    int mostOpen = 0;
    QString finalText;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QList<QMessageBox*> open;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) open << box;
        mostOpen = std::max(mostOpen, int(open.size()));
        // Clicked once every other line has failed behind it.
        if (open.size() == 1 && open[0]->text().contains(QString("%1 more").arg(kLines - 1))) {
            finalText = open[0]->text();
            open[0]->accept();
        }
    });
    watch.start();
    QList<QByteArray> lines;
    for (int i = 0; i < kLines; ++i)
        lines << "CMD_nextplayer+x";
    hostSendsAll(lines);
    EXPECT_EQ(mostOpen, 1);
    EXPECT_TRUE(finalText.startsWith("'x' is not a valid integer value"))
        << finalText.toStdString();
    EXPECT_TRUE(finalText.endsWith("29 more errors followed (see standard error)."))
        << finalText.toStdString();
}

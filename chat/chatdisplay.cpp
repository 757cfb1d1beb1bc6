#include "chat/chatdisplay.h"

#include <cstdio>

#include <QDateTime>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

ChatDisplay::ChatDisplay(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColor(0x00, 0xFF, 0x00));
    setPalette(pal);
    setFontSize(8);
}

void ChatDisplay::setFontSize(int points) {
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    document()->setDefaultFont(f);
}

void ChatDisplay::addlinetochat(const QString& text, const QColor& colour) {
    // QUIVELO_CHAT_LOG=1 copies every line to standard error with the time it was
    // shown (milliseconds since the epoch), for support and for measurements.
    static const bool logLines = qEnvironmentVariableIsSet("QUIVELO_CHAT_LOG");
    if (logLines)
        std::fprintf(stderr, "chat %lld %s\n", QDateTime::currentMSecsSinceEpoch(),
                     qPrintable(text));
    setUpdatesEnabled(false);
    QScrollBar* bar = verticalScrollBar();
    const int firstVisible = bar->value();
    const int caret = textCursor().position();

    const qsizetype colon = text.indexOf(':');
    const QString head = colon < 0 ? QString() : text.left(colon + 1);
    const QString rest = colon < 0 ? text : text.mid(colon + 1);

    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(QFont::Bold);
    c.insertText(head, format);
    format.setFontWeight(QFont::Normal);
    c.insertText(rest, format);
    c.insertBlock();

    if (scrollChatOff_) {
        QTextCursor back(document());
        back.setPosition(qMin(caret, document()->characterCount() - 1));
        setTextCursor(back);
        bar->setValue(firstVisible);
    } else {
        setTextCursor(c);
    }
    setUpdatesEnabled(true);
    // Scrolled once the new line is laid out, so the view really reaches it.
    if (!scrollChatOff_) bar->setValue(bar->maximum());
    viewport()->update();
}

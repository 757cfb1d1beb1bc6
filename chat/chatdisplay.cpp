#include "chat/chatdisplay.h"

#include <cstdio>

#include <QDateTime>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "chat/urlfinder.h"
#include "platform/shell.h"

struct ChatDisplay::Found {
    int start;
    int length;
    QString address;
};

ChatDisplay::ChatDisplay(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::ArrowCursor);
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

void ChatDisplay::addlinetochat(const QString& line, const QColor& colour) {
    QString text = line;
    for (QChar& c : text)
        if (c.unicode() < 32 || c.unicode() == 127) c = u' ';
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

std::optional<ChatDisplay::Found> ChatDisplay::urlAt(const QPoint& point) const {
    const QString text = document()->toPlainText();
    // The character under the point: the cursor lands between characters, on the
    // side of the nearer edge.
    int index = cursorForPosition(point).position();
    if (index > 0 && cursorRect(textCursorAt(index)).left() > point.x()) --index;
    if (index >= text.size()) return std::nullopt;  // past the end of the text
    const std::u16string_view all(reinterpret_cast<const char16_t*>(text.utf16()),
                                  std::size_t(text.size()));
    const auto [first, last] = urlfinder::wordAround(all, std::size_t(index));
    if (first == last) return std::nullopt;
    const auto url = urlfinder::UrlInRange(all, first, last);
    if (!url) return std::nullopt;
    return Found{int(url->start), int(url->length),
                 QString::fromUtf16(url->address.data(), qsizetype(url->address.size()))};
}

QTextCursor ChatDisplay::textCursorAt(int position) const {
    QTextCursor c(document());
    c.setPosition(position);
    return c;
}

bool ChatDisplay::IsUrlAtPoint(const QPoint& point) const {
    return urlAt(point).has_value();
}

bool ChatDisplay::OpenUrlAtPoint(const QPoint& point) {
    const std::optional<Found> url = urlAt(point);
    if (!url) return false;
    QTextCursor c(document());
    c.setPosition(url->start);
    c.setPosition(url->start + url->length, QTextCursor::KeepAnchor);
    setTextCursor(c);
    platform::openUrl(url->address);  // a desktop that cannot open it says nothing
    return true;
}

QMimeData* ChatDisplay::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

void ChatDisplay::mouseMoveEvent(QMouseEvent* event) {
    viewport()->setCursor(IsUrlAtPoint(event->position().toPoint()) ? Qt::PointingHandCursor
                                                                    : Qt::ArrowCursor);
    QTextEdit::mouseMoveEvent(event);
}

void ChatDisplay::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OpenUrlAtPoint(event->position().toPoint())) {
        event->accept();
        return;
    }
    QTextEdit::mousePressEvent(event);
}

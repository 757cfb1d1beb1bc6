#include "chat/chatinput.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

ChatInput::ChatInput(QLineEdit& line, const ChatLink& link) : line_(line), link_(link) {
    line_.setMaxLength(kMaxLength);
    line_.setText(kPrompt);
    line_.installEventFilter(this);
    setTextColour(textColour_);
}

void ChatInput::setTextColour(const QColor& colour) {
    textColour_ = colour;
    QPalette pal = line_.palette();
    pal.setColor(QPalette::Text, colour);
    line_.setPalette(pal);
}

void ChatInput::sendit() {
    if (!link_.loggedIn()) return;
    const QString text = line_.text();
    if (text.startsWith("/me")) {
        link_.action(text.mid(4), actionColour_);
    } else if (!text.isEmpty() && !text.startsWith('/')) {
        link_.chat(text, textColour_);
    }
    line_.clear();
}

void ChatInput::paste() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty()) line_.setText(text);
}

bool ChatInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &line_) return false;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (event->type() == QEvent::KeyRelease) {
        // Enter coming up sends again; after a sent line it only empties the line.
        if (enter && !key->isAutoRepeat()) sendit();
        return enter;
    }
    if (line_.text() == kPrompt) line_.clear();
    if (key->matches(QKeySequence::Paste)) {
        paste();
        return true;
    }
    if (enter) {
        sendit();
        return true;
    }
    return false;
}

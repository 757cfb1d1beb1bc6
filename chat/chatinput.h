#pragma once

#include <QColor>
#include <QObject>

#include "chat/chatlink.h"

class QLineEdit;

// The chat input line: the prompt that the first key empties, Enter that sends
// what was typed as chat or, after "/me", as an action, Paste that replaces the
// whole line, and the two colours of the player's own lines.
class ChatInput : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kPrompt = "<Enter Chat Here>";
    // Far more than a chat line needs, far less than the host refuses.
    static constexpr int kMaxLength = 500;

    ChatInput(QLineEdit& line, const ChatLink& link);

    // Sends the line (chat, "/me" action, or nothing for other "/" lines) and
    // empties it; before the login it does nothing and the text stays.
    void sendit();
    // The clipboard's text, if any, replaces the whole line.
    void paste();

    QColor textColour() const { return textColour_; }
    // Also the colour of the input line's text.
    void setTextColour(const QColor& colour);
    QColor actionColour() const { return actionColour_; }
    void setActionColour(const QColor& colour) { actionColour_ = colour; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit& line_;
    const ChatLink& link_;
    QColor textColour_{0, 255, 0};
    QColor actionColour_{255, 255, 255};
};

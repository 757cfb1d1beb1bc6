#pragma once

#include <QColor>
#include <QTextEdit>

// The read-only chat display. Every line the program shows (chat, actions, status)
// goes through addlinetochat, which gives the line one colour and makes its head,
// up to and including the first ":", bold.
class ChatDisplay : public QTextEdit {
    Q_OBJECT
  public:
    explicit ChatDisplay(QWidget* parent = nullptr);

    void addlinetochat(const QString& text, const QColor& colour);

    // "Scroll Chat Off": new lines do not move the view.
    bool scrollChatOff() const { return scrollChatOff_; }
    void setScrollChatOff(bool off) { scrollChatOff_ = off; }

    void setFontSize(int points);
    int fontSize() const { return font().pointSize(); }

  private:
    bool scrollChatOff_ = false;
};

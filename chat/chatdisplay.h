#pragma once

#include <QColor>
#include <QTextCursor>
#include <QTextEdit>
#include <optional>

// The read-only chat display. Every line the program shows (chat, actions, status)
// goes through addlinetochat, which gives the line one colour and makes its head,
// up to and including the first ":", bold. Web addresses in it can be clicked.
class ChatDisplay : public QTextEdit {
    Q_OBJECT
  public:
    explicit ChatDisplay(QWidget* parent = nullptr);

    // One line: control characters show as blanks, so no text can start a line of
    // its own that looks like another.
    void addlinetochat(const QString& text, const QColor& colour);

    // Whether a web address lies under the point (viewport coordinates).
    bool IsUrlAtPoint(const QPoint& point) const;
    // Selects the address under the point and has the desktop open it; false when
    // there is none.
    bool OpenUrlAtPoint(const QPoint& point);

    // "Scroll Chat Off": new lines do not move the view.
    bool scrollChatOff() const { return scrollChatOff_; }
    void setScrollChatOff(bool off) { scrollChatOff_ = off; }

    void setFontSize(int points);
    int fontSize() const { return font().pointSize(); }

  protected:
    // "Copy" puts the selection on the clipboard as plain text only.
    QMimeData* createMimeDataFromSelection() const override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    struct Found;
    std::optional<Found> urlAt(const QPoint& point) const;
    QTextCursor textCursorAt(int position) const;

    bool scrollChatOff_ = false;
};

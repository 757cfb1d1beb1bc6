#pragma once

#include <QByteArray>
#include <QStringList>
#include <array>

#include "net/pacedqueue.h"

class ChatInput;
class QPushButton;
struct ChatLink;

// The ten phrase buttons beside the chat: each sends its phrase as an action in the
// player's action colour. After a phrase the buttons rest for 101 ticks of the
// client's timer, so nobody floods the chat with them; clicks meanwhile are dropped.
class PhraseButtons {
  public:
    static constexpr int kButtons = 10;
    static constexpr int kPauseTicks = 100;  // the buttons re-arm on the tick after these

    // `ticker` is the client's queue, whose timer counts the pause.
    PhraseButtons(const std::array<QPushButton*, kButtons>& buttons, const ChatLink& link,
                  const ChatInput& colours, PacedQueue<QByteArray>& ticker);

    static const QStringList& builtIn();

    QString phrase(int n) const;  // n = 1..10
    // Also the button's hint.
    void setPhrase(int n, const QString& text);
    const QStringList& phrases() const { return phrases_; }

    // The click on button n.
    void b_phrase8Click(int n);
    bool ready() const { return ready_; }

  private:
    // Once per timer tick; true while the pause still counts.
    bool pauseStep();

    std::array<QPushButton*, kButtons> buttons_;
    const ChatLink& link_;
    const ChatInput& colours_;
    PacedQueue<QByteArray>& ticker_;
    QStringList phrases_;
    bool ready_ = true;
    int pause_ = 0;
};

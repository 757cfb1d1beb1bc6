#include "chat/phrasebuttons.h"

#include <QPushButton>

#include "chat/chatinput.h"
#include "chat/chatlink.h"

PhraseButtons::PhraseButtons(const std::array<QPushButton*, kButtons>& buttons,
                             const ChatLink& link, const ChatInput& colours,
                             PacedQueue<QByteArray>& ticker)
    : buttons_(buttons), link_(link), colours_(colours), ticker_(ticker), phrases_(builtIn()) {
    for (int n = 1; n <= kButtons; ++n) {
        setPhrase(n, phrases_[n - 1]);
        QObject::connect(buttons_[size_t(n - 1)], &QPushButton::clicked,
                         [this, n] { b_phrase8Click(n); });
    }
    ticker_.setTickWork([this] { return pauseStep(); });
}

const QStringList& PhraseButtons::builtIn() {
    static const QStringList phrases = {
        "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",          "Brilliant!",
        "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!", "See ya!"};
    return phrases;
}

QString PhraseButtons::phrase(int n) const {
    return phrases_[n - 1];
}

void PhraseButtons::setPhrase(int n, const QString& text) {
    phrases_[n - 1] = text;
    buttons_[size_t(n - 1)]->setToolTip(text);
}

void PhraseButtons::b_phrase8Click(int n) {
    // Before the login there is no seat to speak from.
    if (!ready_ || !link_.loggedIn()) return;
    const QString text = phrase(n);
    link_.action(text.startsWith("/me") ? text.mid(4) : "says: " + text, colours_.actionColour());
    ready_ = false;
    ticker_.keepTicking();
}

bool PhraseButtons::pauseStep() {
    if (!ready_) ++pause_;
    if (pause_ > kPauseTicks) {
        ready_ = true;
        pause_ = 0;
    }
    return !ready_;
}

#pragma once

#include <QString>
#include <functional>

namespace platform {

// The program's plain message boxes. Tests install a presenter of their own so that
// nothing waits for a click; without a GUI the texts go to standard error.
enum class BoxKind { Error, Notice, Question };

// Returns true for "Yes" (questions) and true otherwise.
using BoxPresenter = std::function<bool(BoxKind kind, const QString& text)>;

// Replaces the presenter; returns the previous one. An empty presenter restores the default.
BoxPresenter setBoxPresenter(BoxPresenter presenter);

// The box for an error nobody handled; the text is also written to standard error.
// Only one is open at a time: errors while it waits for its click are written to
// standard error only, and the open box says how many more followed.
void errorBox(const QString& text);
// Runs `work` and shows what it raises in the error box. Handlers of Qt signals use
// it: an exception must not leave through Qt's own code, which does not unwind.
// False when `work` failed.
bool showFailure(const std::function<void()>& work);
// A notice with an "OK" button ("Game is full", "You are not connected").
void messageBox(const QString& text);
// A question with "Yes" and "No"; true for "Yes".
bool confirmBox(const QString& text);

}  // namespace platform

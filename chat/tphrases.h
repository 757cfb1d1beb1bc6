#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class QLineEdit;

// The phrase editor: the ten phrases of the phrase buttons, at most 50 characters each.
class Tphrases : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kPhrases = 10;
    static constexpr int kMaxLength = 50;

    explicit Tphrases(QWidget* parent = nullptr);

    // Puts the buttons' phrases into the fields, over any unsaved edits.
    void setPhrases(const QStringList& phrases);
    QStringList phrases() const;

    // "Done": the fields' texts become the phrases; then the editor closes.
    std::function<void(const QStringList&)> onDone;

    std::array<QLineEdit*, kPhrases> phrase{};
};

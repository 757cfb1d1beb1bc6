#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

// The phrase editor: the ten phrases of the phrase buttons, at most 50 characters
// each. "Done" hands them over and closes; closing any other way keeps nothing.
class Tphrases : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kPhrases = 10;
    static constexpr int kMaxLength = 50;

    explicit Tphrases(QWidget* parent = nullptr);

    // Puts the buttons' phrases into the fields, over any unsaved edits.
    void setPhrases(const QStringList& phrases);
    QStringList phrases() const;

    // "Done": applies and stores the fields' texts. When it throws (the settings
    // file cannot be written) the editor stays open and the error is reported.
    // Keeps the phrases; false (they could not be kept) leaves the editor open.
    std::function<bool(const QStringList&)> onDone;

    std::array<QLineEdit*, kPhrases> phrase{};
    QPushButton* SelButton8 = nullptr;  // "Done"

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void SelButton8Click();
};

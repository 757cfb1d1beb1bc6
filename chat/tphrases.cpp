#include "chat/tphrases.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/gamelook.h"

Tphrases::Tphrases(QWidget* parent) : QDialog(parent) {
    setObjectName("phrases");
    setWindowTitle("Klimp - Phrase Buttons");
    setModal(false);
    ui::applyGameLook(*this);

    auto* form = new QFormLayout(this);
    for (int n = 1; n <= kPhrases; ++n) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString("phrase%1").arg(n));
        field->setMaxLength(kMaxLength);
        field->setMinimumWidth(300);
        form->addRow(QString("Phrase Button %1:").arg(n), field);
        phrase[size_t(n - 1)] = field;
    }
    SelButton8 = new QPushButton("Done", this);
    SelButton8->setObjectName("SelButton8");
    form->addRow(SelButton8);
    for (int n = 1; n < kPhrases; ++n)
        setTabOrder(phrase[size_t(n - 1)], phrase[size_t(n)]);
    setTabOrder(phrase.back(), SelButton8);
    connect(SelButton8, &QPushButton::clicked, this, &Tphrases::SelButton8Click);
}

void Tphrases::SelButton8Click() {
    if (onDone && !onDone(phrases())) return;
    close();
}

void Tphrases::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    phrase.front()->setFocus();
}

void Tphrases::setPhrases(const QStringList& phrases) {
    for (int n = 0; n < kPhrases; ++n)
        phrase[size_t(n)]->setText(phrases.value(n));
}

QStringList Tphrases::phrases() const {
    QStringList all;
    for (QLineEdit* field : phrase)
        all << field->text();
    return all;
}

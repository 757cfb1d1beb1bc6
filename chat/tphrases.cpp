#include "chat/tphrases.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

Tphrases::Tphrases(QWidget* parent) : QDialog(parent) {
    setObjectName("phrases");
    setWindowTitle("Klimp - Phrase Buttons");
    setModal(false);
    auto* form = new QFormLayout(this);
    for (int n = 1; n <= kPhrases; ++n) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString("phrase%1").arg(n));
        field->setMaxLength(kMaxLength);
        field->setMinimumWidth(300);
        form->addRow(QString("Phrase Button %1:").arg(n), field);
        phrase[n - 1] = field;
    }
    auto* done = new QPushButton("Done", this);
    done->setObjectName("SelButton8");
    form->addRow(done);
    connect(done, &QPushButton::clicked, this, [this] {
        if (onDone) onDone(phrases());
        close();
    });
}

void Tphrases::setPhrases(const QStringList& phrases) {
    for (int n = 0; n < kPhrases; ++n)
        phrase[n]->setText(phrases.value(n));
}

QStringList Tphrases::phrases() const {
    QStringList all;
    for (QLineEdit* field : phrase)
        all << field->text();
    return all;
}

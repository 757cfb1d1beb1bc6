#include "ui/thelp.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "ui/helppages.h"

namespace {

QPushButton* pageButton(QWidget* parent, const QString& caption, int top) {
    auto* b = new QPushButton(caption, parent);
    b->setFlat(true);
    b->setGeometry(4, top, 106, 24);
    // The narrow cut of the face, so "Documentation" fits the column whole.
    QFont f("DejaVu Sans", 10, QFont::Bold);
    f.setStretch(QFont::Condensed);
    b->setFont(f);
    b->setStyleSheet(
        "QPushButton { color: rgb(0,200,0); background: black; border: none;"
        " text-align: left; padding-left: 2px; }"
        "QPushButton:hover { color: rgb(0,255,0); }");
    return b;
}

}  // namespace

Thelp::Thelp(QWidget* parent) : QDialog(parent) {
    setObjectName("help");
    setWindowTitle("Quivelo - Help");
    setFixedSize(475, 403);
    setModal(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    label_caption = new QLabel("Overview", this);
    label_caption->setObjectName("label_caption");
    label_caption->setGeometry(118, 6, 350, 22);
    label_caption->setStyleSheet("color: rgb(0,200,0); font-weight: bold; font-size: 12pt;");

    pages_ = new QStackedWidget(this);
    pages_->setGeometry(118, 32, 350, 364);
    for (const HelpPage& p : helpPages()) {
        auto* memo = new QPlainTextEdit(p.text, pages_);
        memo->setObjectName(QString("memo%1").arg(p.number));
        memo->setReadOnly(true);
        // The page texts are broken into lines already; wrapping them again would
        // break every long line in two, so a wide line scrolls sideways instead.
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setStyleSheet("background: white; color: black; font-size: 8pt;");
        memo->setProperty("page", p.number);
        pages_->addWidget(memo);
    }

    int top = 8;
    for (const char* caption :
         {"Overview", "Connecting", "Game Play", "Scoring", "Documentation", "License"}) {
        int number = 0;
        for (const HelpPage& p : helpPages())
            if (p.title == caption) number = p.number;
        QPushButton* b = pageButton(this, caption, top);
        b->setObjectName(QString("SelButton_%1").arg(caption).remove(' '));
        connect(b, &QPushButton::clicked, this,
                [this, number, caption] { SelButton1Click(number, caption); });
        top += 28;
    }
    QPushButton* about = pageButton(this, "About", top);
    about->setObjectName("SelButton7");
    connect(about, &QPushButton::clicked, this, [this] {
        if (onAbout) onAbout();
    });
    QPushButton* done = pageButton(this, "Done", 370);
    done->setObjectName("SelButton8");
    connect(done, &QPushButton::clicked, this, &QDialog::hide);

    SelButton1Click(1, "Overview");
}

void Thelp::SelButton1Click(int page, const QString& caption) {
    pages_->setCurrentWidget(findChild<QWidget*>(QString("memo%1").arg(page)));
    label_caption->setText(caption);
}

int Thelp::currentPage() const {
    return pages_->currentWidget()->property("page").toInt();
}

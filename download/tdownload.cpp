#include "download/tdownload.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "download/installer.h"
#include "download/thttpcli.h"
#include "download/windowbox.h"
#include "platform/programfolder.h"
#include "platform/shell.h"
#include "ui/picturebox.h"
#include "ui/pictures.h"
#include "ui/tiledpanel.h"

namespace {

ui::TiledPanel* whitePanel(QWidget* parent, QRect r) {
    auto* p = new ui::TiledPanel(parent, Qt::white);
    p->setGeometry(r);
    return p;
}

QLabel* text(QWidget* parent, const QString& t, QRect r) {
    auto* l = new QLabel(t, parent);
    l->setWordWrap(true);
    l->setGeometry(r);
    l->setStyleSheet("color: black;");
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* name, QRect r) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

}  // namespace

Tdownload::Tdownload(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("download");
    setWindowTitle("Download The Vant11 Lobby");
    setFixedSize(724, 500);
    setModal(false);

    auto* left = whitePanel(this, {4, 6, 450, 487});
    auto* picture = new ui::PictureBox(left);
    picture->setGeometry(31, 8, 388, 300);
    picture->setPicture(ui::picture("download.jpg"));
    auto* closed = new QLabel("IS CLOSED", left);
    closed->setGeometry(330, 20, 80, 14);
    closed->setStyleSheet("color: red; font-size: 7pt;");
    text(left,
         "Download The Vant11 Lobby Now to play this  and other exciting games online with "
         "other players!",
         {16, 314, 418, 34});
    getbutton =
        button(left, "Download And Install The Vant11 Lobby Now", "getbutton", {60, 356, 330, 30});
    infolabel = text(left, "", {16, 398, 300, 18});
    infolabel->setObjectName("infolabel");
    abortbutton = button(left, "Stop Download", "abortbutton", {324, 394, 110, 24});
    infolabel3 = text(left, "", {16, 424, 418, 18});
    infolabel3->setObjectName("infolabel3");
    infolabel2 = text(left, "", {16, 450, 418, 18});
    infolabel2->setObjectName("infolabel2");
    infolabel2->hide();

    auto* upper = whitePanel(this, {460, 6, 257, 228});
    text(upper,
         "To proceed to the game without the ability to play against others click the button "
         "below.",
         {12, 40, 233, 60});
    Button1 = button(upper, "Play Solo Game", "Button1", {48, 130, 160, 30});

    auto* lower = whitePanel(this, {460, 236, 257, 257});
    text(lower,
         "If you already have The Vant11 Lobby and you wish to play with others then click the "
         "button below to close this game and open The Vant11 Lobby.",
         {12, 40, 233, 80});
    Button2 = button(lower, "Play with Others", "Button2", {48, 150, 160, 30});

    HttpCli1 = new THttpCli(this);
    HttpCli1->setObjectName("HttpCli1");
    HttpCli1->URL = installer::url();
    HttpCli1->OnHeaderData = [this](THttpCli*, const QByteArray&) { HttpCli1HeaderData(); };
    HttpCli1->OnDocBegin = [this](THttpCli*) { HttpCli1DocBegin(); };
    HttpCli1->OnDocData = [this](THttpCli*) { HttpCli1DocData(); };
    expectedDigest = installer::expectedDigest();

    connect(getbutton, &QPushButton::clicked, this, &Tdownload::getbuttonClick);
    connect(abortbutton, &QPushButton::clicked, this, &Tdownload::abortbuttonClick);
    connect(Button1, &QPushButton::clicked, this, &Tdownload::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tdownload::Button2Click);
}

void Tdownload::getbuttonClick() {
    aborted_ = false;
    const QString name = installer::fileName(HttpCli1->URL);
    infolabel2->setText(name);
    const QString path = platform::programFile(name);
    QFile file(path);
    if (name.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        windowBox(this, platform::BoxKind::Error,
                  QString("Cannot create file \"%1\". %2").arg(path, file.errorString()));
        return;
    }
    getbutton->setEnabled(false);
    abortbutton->setEnabled(true);
    infolabel->setText("Loading");
    HttpCli1->RcvdStream = &file;
    QString otherFailure;
    try {
        HttpCli1->Get();
        infolabel->setText(QString("Received %1 bytes").arg(file.size()));
    } catch (const EHttpException&) {
        infolabel->setText("Download Aborted");
        aborted_ = true;
    } catch (const std::exception& e) {
        otherFailure = QString::fromUtf8(e.what());
    }
    getbutton->setEnabled(true);
    abortbutton->setEnabled(false);
    HttpCli1->RcvdStream = nullptr;
    file.close();
    // Only a whole, unchanged installer is ever started.
    if (!otherFailure.isEmpty()) {
        infolabel->setText("Download Aborted");
        aborted_ = true;
        windowBox(this, platform::BoxKind::Error, otherFailure);
    } else if (!aborted_ && !installer::digestMatches(path, expectedDigest)) {
        infolabel->setText("Download Aborted");
        aborted_ = true;
    }
    if (aborted_) return;
    infolabel3->setText("Installing");
    if (!installer::start(path)) {
        windowBox(this, platform::BoxKind::Notice, "An Error has Occurred.");
        return;
    }
    if (onCloseProgram) onCloseProgram();
}

void Tdownload::abortbuttonClick() {
    try {
        HttpCli1->Abort();
    } catch (...) {
    }
    infolabel->setText("Download has been aborted.");
    aborted_ = true;
    infolabel3->setText("Download Aborted");
}

void Tdownload::Button1Click() {
    hide();  // the solo game is already running behind this window
}

void Tdownload::Button2Click() {
    if (!QFileInfo::exists(lobbyPath)) {
        windowBox(this, platform::BoxKind::Notice,
                  "Please close the game and open the Vant11 Lobby using the icon on your desktop "
                  "or using the your Window's start-up menu.");
        if (onPlayWithOthers) onPlayWithOthers();
        return;
    }
    platform::startProgram(lobbyPath);
    if (onCloseProgram) onCloseProgram();
}

void Tdownload::HttpCli1HeaderData() {
    infolabel->setText(infolabel->text() + ".");
}

void Tdownload::HttpCli1DocBegin() {
    infolabel3->setText("Downloading: " + infolabel2->text());
}

void Tdownload::HttpCli1DocData() {
    infolabel->setText(QString("%1 bytes").arg(HttpCli1->RcvdCount()));
}

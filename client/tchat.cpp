#include "client/tchat.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>

#include "chat/chatdisplay.h"
#include "chat/chatinput.h"
#include "chat/phrasebuttons.h"
#include "client/chatoptions.h"
#include "client/diceboard.h"
#include "client/dispatchtable.h"
#include "client/handover.h"
#include "client/layout.h"
#include "client/messagequeue.h"
#include "client/scorecard.h"
#include "client/scorecards.h"
#include "client/seating.h"
#include "client/settings.h"
#include "client/sounds.h"
#include "client/startup.h"
#include "client/tspylist.h"
#include "client/watching.h"
#include "client/windows.h"
#include "download/tdownload.h"
#include "host/random.h"
#include "net/tsock.h"
#include "platform/singleinstance.h"
#include "tally/ttallylist.h"
#include "ui/picturebox.h"
#include "ui/pictures.h"
#include "ui/tabout.h"
#include "ui/thelp.h"
#include "ui/tiledpanel.h"

namespace {

const QColor kLime(0, 255, 0);
const char* const kFontFamily = "DejaVu Sans";

void setPointSize(QWidget* w, int points, bool bold = false) {
    QFont f = w->font();
    f.setPointSize(points);
    f.setBold(bold);
    w->setFont(f);
}

}  // namespace

Tchat::Tchat(Windows& windows, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), windows_(windows), arguments_(std::move(arguments)) {
    windows_.chat = this;
    setObjectName("chat");
    setWindowTitle("Quivelo");
    // The layout is drawn for 8 points of the face the artwork uses.
    setFont(QFont(kFontFamily, 8));
    buildControls();
    buildMenus();

    sock = new TSock(this);
    sock->setObjectName("sock");
    sock->setPortName("7775");
    Sock11 = new TSock(this);
    Sock11->setObjectName("Sock11");
    Sock11->setHostName("127.0.0.1");
    Sock11->setPortName("9001");

    imageLists_ = ImageLists::load();
    sounds_ = std::make_unique<Sounds>(*this);
    scorecards_ = std::make_unique<ScoreCards>(*this);
    diceboard_ = std::make_unique<DiceBoard>(*this);
    seating_ = std::make_unique<Seating>(*this);
    startup_ = std::make_unique<Startup>(*this);
    queue_ = std::make_unique<ClientQueue>(*this);
    registerDispatchTable(*this, *queue_);
    chatLink_ = ChatLink{[this] { return state_.loggedin; }, [this] { return state_.myseat; },
                         [this](const QByteArray& message) { sock->Send(message); }};
    chatInput_ = std::make_unique<ChatInput>(*mychat, chatLink_);
    std::array<QPushButton*, PhraseButtons::kButtons> phraseButtons{};
    for (int n = 1; n <= PhraseButtons::kButtons; ++n)
        phraseButtons[size_t(n - 1)] = control<QPushButton>("b_phrase", n);
    phraseButtons_ = std::make_unique<PhraseButtons>(phraseButtons, chatLink_, *chatInput_,
                                                     queue_->receivedlist());
    settings_ = std::make_unique<Settings>(*this);
    chatOptions_ = std::make_unique<ChatOptions>(*this);
    watching_ = std::make_unique<Watching>(*this);

    resize(layout::kClientWidth, layout::kClientHeight + menuBar()->sizeHint().height());
    FormCreate();
}

Tchat::~Tchat() {
    // The connection closes with the window; nothing is left to hear about it.
    sock->OnInfo = nullptr;
    sock->OnRead = nullptr;
}

void Tchat::buildControls() {
    client_ = new ui::TiledPanel(this);
    client_->setObjectName("client");
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, kLime);
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, kLime);
    pal.setColor(QPalette::Button, Qt::black);
    pal.setColor(QPalette::ButtonText, kLime);
    client_->setPalette(pal);
    static_cast<ui::TiledPanel*>(client_)->setTile(ui::picture("background.jpg"));
    setCentralWidget(client_);
    client_->installEventFilter(this);

    for (const layout::Place& place : layout::places()) {
        const QString name = QLatin1String(place.name);
        QWidget* parent = *place.parent ? control<QWidget>(QLatin1String(place.parent)) : client_;
        QWidget* w = nullptr;
        if (name.startsWith("panel_")) {
            w = new ui::TiledPanel(parent);
        } else if (name.startsWith("label_")) {
            // Names, scores and winner texts come from the network: never rich text.
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            w = label;
        } else if (name.startsWith("image_") || name.startsWith("button_")) {
            w = new ui::PictureBox(parent);
        } else if (name.startsWith("stringgrid_player")) {
            w = new ScoreCard(name.back().digitValue(), parent);
        } else if (name.startsWith("dart")) {
            auto* slot = new QFrame(parent);
            slot->setStyleSheet(
                "QFrame { border: 1px solid rgb(128,128,128); background: transparent; }");
            w = slot;
        } else if (name == "mainchat") {
            w = new ChatDisplay(parent);
        } else if (name == "mychat") {
            w = new QLineEdit(parent);
        } else if (name.startsWith("b_phrase")) {
            w = new QPushButton(parent);
        }
        Q_ASSERT(w);
        w->setObjectName(name);
        w->setGeometry(place.rect);
    }

    mainchat = control<ChatDisplay>("mainchat");
    mychat = control<QLineEdit>("mychat");
    mychat->setFrame(false);
    setPointSize(mychat, 10);

    control<QLabel>("label_round")->setText("Throws: 0");
    control<QLabel>("label_turn")->setText("Waiting..");
    for (int n = 1; n <= 4; ++n) {
        auto* name = control<QLabel>("label_playername", n);
        name->setText("<Waiting>");
        setPointSize(name, 10);
        auto* score = control<QLabel>("label_score", n);
        score->setText("0");
        setPointSize(score, 12);
        auto* eyes = control<ui::PictureBox>("image_eyes", n);
        eyes->setPicture(ui::picture("eyes.jpg"));
        eyes->hide();
    }
    for (int d = 1; d <= 3; ++d) {
        auto* caption = control<QLabel>("label_dartcaption", d);
        caption->setText(QString("Dart %1").arg(d));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        control<ui::PictureBox>("image_dartcolumn", d)->setPicture(ui::picture("dartcolumn.jpg"));
        auto* value = control<QLabel>("label_dart", d);
        value->setText("0");
        setPointSize(value, 11);
        auto* thrown = control<ui::PictureBox>("image_throwndart", d);
        thrown->setPicture(ui::picture("throwndart.png"));
        thrown->hide();
    }
    // The slots and the dice lie over the column backings, in that order.
    for (int d = 1; d <= 3; ++d)
        for (int k = 1; k <= 4; ++k)
            control<QWidget>(QString("dart%1dice%2").arg(d).arg(k))->raise();
    for (int i = 1; i <= 12; ++i) {
        auto* die = control<ui::PictureBox>("image_dice", i);
        die->raise();
        die->hide();
    }
    control<ui::PictureBox>("image_logo")->setPicture(ui::picture("decoration.jpg"));
    control<ui::PictureBox>("image_dartboard")->setPicture(ui::picture("dartboard.jpg"));
    for (int d = 1; d <= 3; ++d)
        control<QWidget>("image_throwndart", d)->raise();

    auto* throwButton = control<ui::PictureBox>("button_throwdarts");
    throwButton->setPicture(ui::picture("throwbutton.jpg"));
    throwButton->setCursor(Qt::PointingHandCursor);
    auto* autoButton = control<ui::PictureBox>("button_autoplace");
    autoButton->setPicture(ui::picture("autoplace.jpg"));
    autoButton->setCursor(Qt::PointingHandCursor);

    auto* winner = control<ui::TiledPanel>("panel_winner");
    winner->setBorder(kLime);
    for (const char* n : {"label_wintitle1", "label_winner1"}) {
        auto* l = control<QLabel>(n);
        l->setStyleSheet("color: rgb(128,128,128);");
        setPointSize(l, 14, true);
    }
    for (const char* n : {"label_wintitle2", "label_winner2"}) {
        auto* l = control<QLabel>(n);
        setPointSize(l, 14, true);
        l->raise();
    }
    control<QLabel>("label_wintitle1")->setText("The Winner!!");
    control<QLabel>("label_wintitle2")->setText("The Winner!!");
    winner->raise();
    winner->hide();

    for (int n = 1; n <= 10; ++n) {
        auto* b = control<QPushButton>("b_phrase", n);
        b->setText(QString("P%1").arg(n));
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(
            "QPushButton { color: rgb(0,255,0); background: black; border: 1px solid rgb(0,128,0);"
            " font-size: 7pt; padding: 0; }"
            "QPushButton:hover { border-color: rgb(0,255,0); }"
            "QPushButton:pressed { background: rgb(0,64,0); }");
    }

    // The client area itself, so the menu bar never eats into the chat input line.
    client_->setMinimumSize(layout::kClientWidth, layout::kClientHeight);
}

void Tchat::buildMenus() {
    auto item = [](QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setCheckable(checkable);
        return a;
    };
    QMenu* file = menuBar()->addMenu("File");
    StartGame1 = item(file, "StartGame1", "Start Game");
    StartTeamGame1 = item(file, "StartTeamGame1", "Start Team Game");
    file->addSeparator();
    HostAGame1 = item(file, "HostAGame1", "Host a Game…");
    JoinAGame1 = item(file, "JoinAGame1", "Join a Game…");
    file->addSeparator();
    Exit1 = item(file, "Exit1", "Exit");
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(StartGame1, &QAction::triggered, this, [this] { diceboard_->StartGame1Click(); });
    connect(StartTeamGame1, &QAction::triggered, this,
            [this] { diceboard_->StartTeamGame1Click(); });

    QMenu* options = menuBar()->addMenu("Options");
    PlaySounds1 = item(options, "PlaySounds1", "Play Non-Voice Sounds", true);
    PlaySounds1->setChecked(true);
    PlayVoiceSounds1 = item(options, "PlayVoiceSounds1", "Play Voice Sounds", true);
    PlayVoiceSounds1->setChecked(true);
    options->addSeparator();
    TextColor1 = item(options, "TextColor1", "Text Color");
    ActionColor1 = item(options, "ActionColor1", "Action Color");
    TextSize1 = options->addMenu("Text Size");
    TextSize1->setObjectName("TextSize1");
    for (const char* size : {"8", "10", "12", "14"})
        item(TextSize1, qPrintable(QString("TextSize%1").arg(size)), size, true);
    // One item shown in two menus, so the two check marks always agree.
    ScrollChatOff1 = item(options, "ScrollChatOff1", "Scroll Chat Off", true);
    ScrollChatOff1->setShortcut(QKeySequence("Ctrl+S"));
    connect(ScrollChatOff1, &QAction::toggled, this,
            [this](bool on) { mainchat->setScrollChatOff(on); });
    options->addSeparator();
    JustWatch1 = item(options, "JustWatch1", "Just Watch", true);

    QMenu* view = menuBar()->addMenu("View");
    TallyList1 = item(view, "TallyList1", "Tally List");
    SpyList1 = item(view, "SpyList1", "Spy List");
    PhraseButtonList1 = item(view, "PhraseButtonList1", "Phrase Button List");

    QMenu* help = menuBar()->addMenu("Help");
    Contents1 = item(help, "Contents1", "Contents");
    help->addSeparator();
    About1 = item(help, "About1", "About");

    popup_kick = new QMenu(this);
    popup_kick->setObjectName("popup_kick");
    RemoveFromGame1 = item(popup_kick, "RemoveFromGame1", "Remove From Game");

    auto* chatMenu = new QMenu(this);
    chatMenu->setObjectName("popup_chat");
    item(chatMenu, "Copy1", "Copy")->setShortcut(QKeySequence("Ctrl+C"));
    chatMenu->addSeparator();
    chatMenu->addAction(ScrollChatOff1);
    mainchat->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mainchat, &QWidget::customContextMenuRequested, this,
            [this, chatMenu](const QPoint& at) { chatMenu->popup(mainchat->mapToGlobal(at)); });

    auto* inputMenu = new QMenu(this);
    inputMenu->setObjectName("popup_input");
    item(inputMenu, "Paste1", "Paste")->setShortcut(QKeySequence("Ctrl+V"));
    mychat->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mychat, &QWidget::customContextMenuRequested, this,
            [this, inputMenu](const QPoint& at) { inputMenu->popup(mychat->mapToGlobal(at)); });
}

void Tchat::connectWindows() {
    Windows& w = windows_;
    connect(Contents1, &QAction::triggered, this, [&w] { w.help->show(); });
    connect(About1, &QAction::triggered, this, [&w] { w.about->show(); });
    w.help->onAbout = [&w] { w.about->show(); };
    connect(SpyList1, &QAction::triggered, this, [&w] { w.spylist->show(); });
    connect(TallyList1, &QAction::triggered, this, [&w] { w.tallylist->show(); });
    w.download->onCloseProgram = [this] { close(); };
    using Role = HostJoinDialog::Role;
    connect(HostAGame1, &QAction::triggered, this,
            [this] { handover::offer(*this, Role::Host, this); });
    connect(JoinAGame1, &QAction::triggered, this,
            [this] { handover::offer(*this, Role::Join, this); });
    w.download->onPlayWithOthers = [this, &w] { handover::offer(*this, Role::Join, w.download); };
    w.tallylist->loadchecklist = [this] { loadchecklist(); };
    chatOptions_->connectPhraseEditor();
    watching_->connectSpyList();
}

void Tchat::layoutRegions() {
    // The dice board and the chat area grow with the window; the dartboard keeps
    // to the right edge and everything else stays where it is.
    const int dw = qMax(0, client_->width() - layout::kClientWidth);
    const int dh = qMax(0, client_->height() - layout::kClientHeight);
    auto grow = [this](const char* name, int w, int h) {
        QRect r = layout::place(name).rect;
        control<QWidget>(name)->setGeometry(r.adjusted(0, 0, w, h));
    };
    grow("panel_diceboard", dw, 0);
    grow("panel_dicepanel", dw, 0);
    control<QWidget>("panel_dartboard")
        ->move(layout::place("panel_dartboard").rect.topLeft() + QPoint(dw, 0));
    grow("panel_chat", dw, dh);
    grow("mainchat", dw, dh);
    // The input line keeps clear of the chat display's scroll bar.
    const QRect input = layout::place("mychat").rect;
    mychat->setGeometry(input.left(), input.top() + dh,
                        control<QWidget>("panel_chat")->width() - 19, input.height());
}

bool Tchat::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) layoutRegions();
    return QMainWindow::eventFilter(watched, event);
}

void Tchat::loadchecklist() {
    Ttallylist* tally = windows_.tallylist;
    if (!tally) return;
    QStringList names;
    for (int seat = 1; seat <= 4; ++seat) {
        const QString name = control<QLabel>("label_playername", seat)->text();
        if (seat != state_.myseat && name != "<Waiting>") names << name;
    }
    tally->loadCurrentPlayers(names);
}

void Tchat::addlinetochat(const QString& text, const QColor& colour) {
    mainchat->addlinetochat(text, colour);
}

void Tchat::FormCreate() {
    mutex_ = platform::createNamedMutex("quivelo");
    seating_->clearall();
    rng::randomize();
    state_.ishost = false;
    for (int n = 1; n <= 4; ++n)
        control<QLabel>("label_playername", n)->setText("<Waiting>");
    state_.hostaddress.clear();
    state_.turnseat = 0;
    control<QWidget>("button_throwdarts")->hide();
    control<QWidget>("button_autoplace")->hide();
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_ || event->spontaneous()) return;
    shown_ = true;
    FormShow();
}

void Tchat::FormShow() {
    startup_->processparams();
}

void Tchat::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    emit closed();
}

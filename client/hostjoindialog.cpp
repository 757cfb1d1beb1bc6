#include "client/hostjoindialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

#include "platform/inifile.h"

namespace {

const QString kSection = "Quivelo";
constexpr int kMaxName = 24;  // the host cuts longer names anyway

QString problemWith(const QString& name, const QString& address, bool joining) {
    if (name.isEmpty()) return "Please type your name.";
    // The program's toolkit would take a leading "-" for an option of its own.
    if (name.startsWith('-')) return "A name cannot start with \"-\".";
    if (!joining) return {};
    if (address.isEmpty()) return "Please type the host's address.";
    if (address.startsWith('-') || address.contains(' ')) return "That is no address.";
    return {};
}

}  // namespace

QString joinableAddresses() {
    QStringList found;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) found << a.toString();
    return found.isEmpty() ? "127.0.0.1 (this machine only: no network found)" : found.join('\n');
}

HostJoinDialog::HostJoinDialog(Role role, QWidget* parent) : QDialog(parent) {
    setObjectName("hostjoin");
    setWindowTitle("Play with Others");
    setFont(QFont("DejaVu Sans", 9));
    // The game's look: lime on black, thin green frames.
    setStyleSheet(
        "QDialog { background: black; }"
        "QLabel, QRadioButton { color: rgb(0,255,0); }"
        "QLineEdit { background: black; color: rgb(0,255,0);"
        " border: 1px solid rgb(0,160,0); padding: 2px; }"
        "QLineEdit:disabled { color: rgb(0,110,0); border-color: rgb(0,80,0); }"
        "QPushButton { background: black; color: rgb(0,255,0);"
        " border: 1px solid rgb(0,160,0); padding: 4px 14px; }"
        "QPushButton:hover { color: white; }");

    const platform::IniFile settings = platform::settingsFile();
    hostChoice = new QRadioButton("Host a game on this computer", this);
    hostChoice->setObjectName("hostChoice");
    joinChoice = new QRadioButton("Join a game at a host's address", this);
    joinChoice->setObjectName("joinChoice");
    nameEdit = new QLineEdit(settings.readString(kSection, "Playername", ""), this);
    nameEdit->setObjectName("nameEdit");
    nameEdit->setMaxLength(kMaxName);
    addressEdit = new QLineEdit(settings.readString(kSection, "Lasthost", ""), this);
    addressEdit->setObjectName("addressEdit");
    addressesLabel = new QLabel(this);
    addressesLabel->setObjectName("addressesLabel");
    addressesLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problemLabel = new QLabel(this);
    problemLabel->setObjectName("problemLabel");
    problemLabel->setStyleSheet("color: rgb(255,80,80);");
    okButton = new QPushButton(this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName("cancelButton");

    auto* grid = new QGridLayout(this);
    grid->addWidget(hostChoice, 0, 0, 1, 2);
    grid->addWidget(joinChoice, 1, 0, 1, 2);
    grid->addWidget(new QLabel("Your name:", this), 2, 0);
    grid->addWidget(nameEdit, 2, 1);
    grid->addWidget(new QLabel("Host's address:", this), 3, 0);
    grid->addWidget(addressEdit, 3, 1);
    grid->addWidget(addressesLabel, 4, 0, 1, 2);
    grid->addWidget(problemLabel, 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 6, 0, 1, 2);

    (role == Role::Host ? hostChoice : joinChoice)->setChecked(true);
    connect(hostChoice, &QRadioButton::toggled, this, &HostJoinDialog::showRole);
    connect(okButton, &QPushButton::clicked, this, &HostJoinDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    showRole();
}

void HostJoinDialog::showRole() {
    const bool hosting = hostChoice->isChecked();
    addressEdit->setEnabled(!hosting);
    addressesLabel->setText(hosting ? "Others join your game at:\n" + joinableAddresses()
                                    : QString());
    addressesLabel->setVisible(hosting);
    okButton->setText(hosting ? "Host" : "Join");
    problemLabel->clear();
}

QStringList HostJoinDialog::arguments() const {
    const bool hosting = hostChoice->isChecked();
    return {nameEdit->text().trimmed(),
            hosting ? QStringLiteral("127.0.0.1") : addressEdit->text().trimmed(),
            hosting ? QStringLiteral("true") : QStringLiteral("false")};
}

void HostJoinDialog::confirm() {
    const QString name = nameEdit->text().trimmed();
    const QString address = addressEdit->text().trimmed();
    const bool joining = joinChoice->isChecked();
    const QString problem = problemWith(name, address, joining);
    problemLabel->setText(problem);
    if (!problem.isEmpty()) return;
    const platform::IniFile settings = platform::settingsFile();
    try {
        settings.writeString(kSection, "Playername", name);
        if (joining) settings.writeString(kSection, "Lasthost", address);
    } catch (const platform::EIniWrite& e) {
        // Only the next offer loses the typed values; the game goes on.
        std::fprintf(stderr, "quivelo: %s\n", e.what());
    }
    accept();
}

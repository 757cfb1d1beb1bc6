#pragma once

#include <QString>

#include "client/hostjoindialog.h"

class QWidget;
class Tchat;

// Playing with others without a lobby: this copy asks for a role, closes, and the
// program starts again with that role's command line.
namespace handover {

// Offers the host-or-join dialog over `over`. Confirming closes the main window,
// which ends this copy, and the new copy starts once this one has let go of
// everything it held.
void offer(Tchat& window, HostJoinDialog::Role role, QWidget* over);

// The program that the new copy runs; this program unless set otherwise.
void setProgram(const QString& path);

// Starts the new copy that a confirmation asked for; false when none waits or it
// cannot start. The program does this from its application object's destruction,
// after main has released the single-instance lock and the windows have closed the
// game port and every connection, so the new copy never finds this one running.
bool startPending();

}  // namespace handover

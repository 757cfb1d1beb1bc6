#include "tally/ttallylist.h"

Ttallylist::Ttallylist(QWidget* parent) : QDialog(parent) {
    setObjectName("tallylist");
    setWindowTitle("Quivelo - Tally List");
    setModal(false);
}

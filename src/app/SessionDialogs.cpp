#include "app/SessionDialogs.h"

#include "ui/CSelectDlg.h"
#include "ui/CSetup.h"

bool StandardSessionDialogs::runSetup(QWidget* parent) {
    // At the first start Cancel ends the program: nothing to put back.
    return runSetupDialog(parent, SetupRecords::globals(), false);
}

int StandardSessionDialogs::runStartMenu(QWidget* parent) {
    CSelectDlg menu(SetupRecords::globals(), parent);
    menu.exec();
    return menu.choice();
}

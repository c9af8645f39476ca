#include "app/SerialPortMenu.h"

#include "config/MenuRows.h"
#include "device/InterfaceSearch.h"
#include "device/SerialPortList.h"
#include "ui/UiText.h"

#include <QActionGroup>
#include <QMenu>

void addSerialPortMenu(QMenu& menu, InterfaceSearch& search, const PortMap& ports) {
    addSerialPortMenu(menu, search, ports, systemPortInfos());
}

void addSerialPortMenu(QMenu& menu, InterfaceSearch& search, const PortMap& ports,
                       const std::vector<SystemPortInfo>& system) {
    QMenu* sub = menu.addMenu(uiText(TextTable::Menu, menurow::kSerialPort));
    sub->menuAction()->setObjectName(QStringLiteral("serialPort"));
    auto* group = new QActionGroup(sub);
    group->setExclusive(true);

    const std::string chosen = search.chosenPort();
    QAction* automatic = sub->addAction(uiText(TextTable::Menu, menurow::kAutomaticSearch));
    automatic->setObjectName(QStringLiteral("automaticSearch"));
    automatic->setCheckable(true);
    automatic->setChecked(chosen.empty());
    group->addAction(automatic);
    // The menu is gone when the action runs; the search outlives it.
    QObject::connect(automatic, &QAction::triggered, sub,
                     [&search] { search.chooseAutomaticSearch(); });
    sub->addSeparator();

    for (const SerialPortEntry& entry : serialPortEntries(ports, system, chosen)) {
        // A maker's name may hold '&', which a menu would take for a shortcut.
        QAction* port = sub->addAction(
            QString::fromStdString(entry.label).replace(QLatin1Char('&'), QStringLiteral("&&")));
        port->setObjectName(QString::fromStdString(entry.name));
        port->setCheckable(true);
        port->setChecked(!chosen.empty() && entry.name == chosen);
        group->addAction(port);
        QObject::connect(port, &QAction::triggered, sub, [&search, name = entry.name] {
            // Choosing the port in use again hands it over again: a way to
            // make the link open it afresh.
            search.choosePort(name);
        });
    }
}

// The port the user chooses: the search uses it alone and hands it over on
// the tick it exists, "Automatic search" goes on after it; and the list of
// ports the menu offers.

#include "config/ConfigData.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "device/InterfaceSearch.h"
#include "device/LinkControl.h"
#include "device/PortMap.h"
#include "device/SerialPortList.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ChoiceRig {
    ChoiceRig() {
        link.stopRequest = false;
        InterfaceSearchHooks hooks;
        hooks.probePort = [this](int n) {
            probes.push_back(n);
            return false; // no numbered port exists
        };
        hooks.probeChosenPort = [this](const std::string& name) {
            chosenProbes.push_back(name);
            return chosenExists;
        };
        hooks.discardStatusList = [this] { ++discards; };
        hooks.showStatusLine = [this](const std::string& s) { statusLine = s; };
        hooks.showInterfaceNotFound = [this] { ++notices; };
        hooks.choiceChanged = [this](const std::string& chosen) { choices.push_back(chosen); };
        search = std::make_unique<InterfaceSearch>(link, config, hooks);
    }
    // Ticks until a hand-over; the number of ticks it took (0: none).
    int ticksUntilHandOver(int maxTicks) {
        for (int i = 1; i <= maxTicks; ++i) {
            link.reopenRequest = false;
            search->searchTick();
            if (link.reopenRequest)
                return i;
        }
        return 0;
    }
    std::string searching(const std::string& what) const {
        return std::string(text(TextTable::StatusMessages, statusrow::kSearchingForCom)) + what;
    }

    LinkControl link;
    ConfigData config;
    std::unique_ptr<InterfaceSearch> search;
    bool chosenExists = true;
    std::vector<int> probes;
    std::vector<std::string> chosenProbes;
    std::vector<std::string> choices;
    int discards = 0;
    int notices = 0;
    std::string statusLine;
};

TEST(PortChoice, AChosenPortIsHandedOverAtOnceAndUsedAlone) {
    ChoiceRig rig;
    rig.search->choosePort(comPortName(3));
    EXPECT_TRUE(rig.link.reopenRequest) << "handed to the reader thread at once";
    EXPECT_EQ(rig.config.portName, "\\\\.\\COM3");
    EXPECT_EQ(rig.discards, 1);
    EXPECT_TRUE(rig.search->active());
    EXPECT_EQ(rig.choices, std::vector<std::string>{"\\\\.\\COM3"});

    // Silent: handed over again after each pause, never another port, never
    // the notice, however long it lasts.
    // The pause is the same as after any hand-over: 11 whole ticks.
    rig.link.reopenRequest = false;
    EXPECT_EQ(rig.ticksUntilHandOver(20), 12);
    EXPECT_EQ(rig.ticksUntilHandOver(20), 11);
    // The cable out in the pause after a hand-over, back two ticks later:
    // handed over on the tick it is back.
    rig.search->searchTick();
    rig.chosenExists = false;
    rig.search->searchTick();
    rig.search->searchTick();
    rig.chosenExists = true;
    EXPECT_EQ(rig.ticksUntilHandOver(1), 1);
    rig.chosenExists = false;
    EXPECT_EQ(rig.ticksUntilHandOver(4 * InterfaceSearch::kPortCount), 0);
    EXPECT_TRUE(rig.probes.empty());
    EXPECT_EQ(rig.notices, 0);
    EXPECT_EQ(rig.statusLine, rig.searching("3"));
    EXPECT_EQ(rig.search->searchPortNumber(), 1);
    EXPECT_EQ(rig.search->shownPortNumber(), 3) << "the wizard names the chosen port";

    // The cable is back: handed over on the very tick the port exists.
    rig.chosenExists = true;
    EXPECT_EQ(rig.ticksUntilHandOver(1), 1);
    EXPECT_EQ(rig.config.portName, "\\\\.\\COM3");

    // Positions end the search, as for the automatic one.
    rig.search->setActive(false);
    const size_t probed = rig.chosenProbes.size();
    EXPECT_EQ(rig.ticksUntilHandOver(30), 0);
    EXPECT_EQ(rig.chosenProbes.size(), probed);
}

TEST(PortChoice, ANewChoiceWaitsUntilTheThreadHasTakenTheLastName) {
    ChoiceRig rig;
    rig.search->choosePort(comPortName(1));
    ASSERT_TRUE(rig.link.reopenRequest);
    // The thread has not opened COM1 yet: the name it is about to read stays.
    rig.search->choosePort(comPortName(2));
    EXPECT_EQ(rig.config.portName, "\\\\.\\COM1");
    EXPECT_EQ(rig.search->chosenPort(), comPortName(2));
    rig.search->setActive(false); // positions from COM1 meanwhile
    rig.search->searchTick();
    EXPECT_EQ(rig.config.portName, "\\\\.\\COM1");
    rig.link.reopenRequest = false; // the thread took it
    rig.search->searchTick();
    EXPECT_EQ(rig.config.portName, "\\\\.\\COM2");
    EXPECT_TRUE(rig.link.reopenRequest);
    EXPECT_EQ(rig.discards, 2);
}

TEST(PortChoice, AutomaticSearchGoesOnAfterTheChosenPort) {
    struct Case {
        std::string chosen;
        int searchBefore; // the search's next port when the choice was made
        int firstProbe;   // after "Automatic search"
    };
    for (const Case& c :
         {Case{comPortName(3), 1, 4}, Case{"COM65", 20, 1}, Case{"/dev/ttyS7", 20, 20}}) {
        ChoiceRig rig;
        rig.search->setActive(true);
        while (rig.search->searchPortNumber() != c.searchBefore)
            rig.search->searchTick();
        rig.probes.clear();
        rig.search->choosePort(c.chosen);
        rig.chosenExists = false;
        for (int i = 0; i < 15; ++i)
            rig.search->searchTick();
        ASSERT_TRUE(rig.probes.empty()) << c.chosen;

        rig.search->chooseAutomaticSearch();
        EXPECT_TRUE(rig.search->chosenPort().empty());
        EXPECT_EQ(rig.choices, (std::vector<std::string>{c.chosen, ""}));
        rig.search->searchTick();
        ASSERT_EQ(rig.probes.size(), 1u) << c.chosen;
        EXPECT_EQ(rig.probes[0], c.firstProbe) << c.chosen;
        EXPECT_EQ(rig.statusLine, rig.searching(std::to_string(c.firstProbe)));
        // The passes start afresh: the notice needs three whole passes.
        for (int i = 1; i < 3 * InterfaceSearch::kPortCount; ++i)
            rig.search->searchTick();
        EXPECT_EQ(rig.notices, 1) << c.chosen;
    }
}

TEST(PortChoice, ADevicePathIsSearchedUnderItsOwnName) {
    ChoiceRig rig;
    rig.search->choosePort("/dev/ttyS7");
    EXPECT_EQ(rig.config.portName, "/dev/ttyS7");
    rig.chosenExists = false;
    for (int i = 0; i < 12; ++i)
        rig.search->searchTick();
    const std::string line = rig.statusLine;
    EXPECT_NE(line.find("/dev/ttyS7"), std::string::npos) << line;
    EXPECT_EQ(line.find("COM/dev"), std::string::npos) << line;
    EXPECT_EQ(rig.chosenProbes.back(), "/dev/ttyS7");
    // Choosing automatic twice tells it once; an empty choice is automatic.
    rig.search->choosePort("");
    rig.search->chooseAutomaticSearch();
    EXPECT_EQ(rig.choices, (std::vector<std::string>{"/dev/ttyS7", ""}));
}

class PortList : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // A regular file stands in for a device that is there.
    std::string existing(const std::string& name) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path).put('\n');
        return path;
    }
    std::string missing(const std::string& name) {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    QTemporaryDir dir;
};

TEST_F(PortList, TheMapsPortsComeFirstThenTheSystemsOthers) {
    const std::string box = existing("orva-box");
    const std::string gone = missing("ttyUSB9");
    const std::string usb = "/dev/ttyUSB0";
    PortMap map({box, "", gone, usb});
    const std::vector<SystemPortInfo> system = {
        {usb, "FTDI", "FT232R USB UART", "A10K3J2C"},
        {"/dev/ttyS0", "", "", ""},
        {"/dev/ttyACM1", "Arduino", "Arduino", ""},
    };
    const std::vector<SerialPortEntry> entries = serialPortEntries(map, system);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "\\\\.\\COM1");
    EXPECT_EQ(entries[0].label, "COM1  " + box);
    // COM2 is empty and COM3's device is gone: not offered.
    EXPECT_EQ(entries[1].name, "\\\\.\\COM4");
    EXPECT_EQ(entries[1].label, "COM4  /dev/ttyUSB0  (FTDI, FT232R USB UART, SN A10K3J2C)");
    // The system's others by their device; a maker named twice once.
    EXPECT_EQ(entries[2].name, "/dev/ttyS0");
    EXPECT_EQ(entries[2].label, "/dev/ttyS0");
    EXPECT_EQ(entries[3].name, "/dev/ttyACM1");
    EXPECT_EQ(entries[3].label, "/dev/ttyACM1  (Arduino)");
}

TEST_F(PortList, AChosenPortStaysListedWhileItsCableIsOut) {
    const std::string gone = missing("orva-box");
    PortMap map({gone});
    EXPECT_TRUE(serialPortEntries(map, {}).empty());
    const auto chosenByNumber = serialPortEntries(map, {}, comPortName(1));
    ASSERT_EQ(chosenByNumber.size(), 1u);
    EXPECT_EQ(chosenByNumber[0].name, "\\\\.\\COM1");
    const auto chosenByDevice = serialPortEntries(map, {}, "/dev/ttyUSB5");
    ASSERT_EQ(chosenByDevice.size(), 1u);
    EXPECT_EQ(chosenByDevice[0].name, "/dev/ttyUSB5");
}

TEST_F(PortList, ALinkInTheMapIsTheSystemsPortBehindIt) {
    const std::string device = existing("ttyUSB3");
    const std::string link = missing("by-id-converter");
    ASSERT_TRUE(QFile::link(QString::fromStdString(device), QString::fromStdString(link)));
    PortMap map({link});
    const auto entries = serialPortEntries(map, {{device, "Prolific", "", "123"}});
    ASSERT_EQ(entries.size(), 1u) << "listed once";
    EXPECT_EQ(entries[0].name, "\\\\.\\COM1");
    EXPECT_EQ(entries[0].label, "COM1  " + link + "  (Prolific, SN 123)");
}

} // namespace

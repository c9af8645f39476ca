// The interface search, tick by tick, against a set of existing ports.

#include "config/ConfigData.h"
#include "config/StatusMessageRows.h"
#include "config/Texts.h"
#include "device/InterfaceSearch.h"
#include "device/LinkControl.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct SearchRig {
    explicit SearchRig(std::set<int> existing) : ports(std::move(existing)) {
        link.stopRequest = false;
        InterfaceSearchHooks hooks;
        hooks.probePort = [this](int n) {
            probes.push_back(n);
            return ports.count(n) > 0;
        };
        hooks.discardStatusList = [this] { ++discards; };
        hooks.showStatusLine = [this](const std::string& s) { statusLine = s; };
        hooks.showInterfaceNotFound = [this] { notFoundAtProbe.push_back(probes.size()); };
        search = std::make_unique<InterfaceSearch>(link, config, hooks);
    }
    // Ticks until the hand-over of a port; returns its number (0: none).
    int tickUntilHandOver(int maxTicks) {
        for (int i = 0; i < maxTicks; ++i) {
            link.reopenRequest = false;
            search->searchTick();
            if (link.reopenRequest)
                return comNumber();
        }
        return 0;
    }
    int comNumber() const { return std::stoi(config.portName.substr(7)); }

    std::set<int> ports;
    LinkControl link;
    ConfigData config;
    std::unique_ptr<InterfaceSearch> search;
    std::vector<int> probes;
    int discards = 0;
    std::string statusLine;
    std::vector<size_t> notFoundAtProbe;
};

TEST(InterfaceSearch, PortsOneAndFourWithTheBoxOnFour) {
    SearchRig rig({1, 4});
    rig.search->setActive(true);

    rig.search->searchTick(); // probe COM1: found
    EXPECT_EQ(rig.probes, std::vector<int>{1});
    EXPECT_EQ(rig.statusLine,
              std::string(text(TextTable::StatusMessages, statusrow::kSearchingForCom)) + "1");
    EXPECT_TRUE(rig.search->portFound());

    rig.search->searchTick(); // hand-over
    EXPECT_TRUE(rig.link.reopenRequest);
    EXPECT_EQ(rig.config.portName, "\\\\.\\COM1");
    EXPECT_EQ(rig.discards, 1);
    EXPECT_TRUE(rig.search->pauseActive());

    // The pause: 11 ticks in all, the hand-over tick included, no probing.
    for (int i = 0; i < 10; ++i) {
        rig.search->searchTick();
        EXPECT_EQ(rig.probes.size(), 1u) << "tick " << i;
    }
    EXPECT_FALSE(rig.search->pauseActive());

    // COM2, COM3, COM4 on consecutive ticks, COM4 handed over on the next.
    rig.link.reopenRequest = false;
    for (int i = 0; i < 3; ++i)
        rig.search->searchTick();
    EXPECT_EQ(rig.probes, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(rig.statusLine,
              std::string(text(TextTable::StatusMessages, statusrow::kSearchingForCom)) + "4");
    EXPECT_FALSE(rig.link.reopenRequest);
    rig.search->searchTick();
    EXPECT_TRUE(rig.link.reopenRequest);
    EXPECT_EQ(rig.config.portName, "\\\\.\\COM4");

    // Positions arrive: the main window ends the search; nothing more.
    rig.search->setActive(false);
    for (int i = 0; i < 30; ++i)
        rig.search->searchTick();
    EXPECT_EQ(rig.probes.size(), 4u);
    // A later loss of data goes on with the port after the one in use.
    rig.search->setActive(true);
    rig.search->searchTick();
    EXPECT_EQ(rig.probes.back(), 5);
}

TEST(InterfaceSearch, NoPortAtAllBringsTheNoticeEveryThreePasses) {
    SearchRig rig({});
    rig.search->setActive(true);
    for (int i = 0; i < 6 * InterfaceSearch::kPortCount; ++i)
        rig.search->searchTick();
    // 195 probes (about 39 s at 200 ms) to the first notice, then again.
    EXPECT_EQ(rig.notFoundAtProbe, (std::vector<size_t>{195, 390}));
    // After 65 comes 1.
    EXPECT_EQ(rig.probes[64], 65);
    EXPECT_EQ(rig.probes[65], 1);
    EXPECT_EQ(rig.discards, 0);
}

TEST(InterfaceSearch, BriefUnplugsThatRecoverBringNoNotice) {
    // The box on COM65: each loss of data wraps the search once before the
    // box is found and answers again.
    SearchRig rig({65});
    for (int unplug = 0; unplug < 4; ++unplug) {
        rig.search->setActive(true);
        ASSERT_EQ(rig.tickUntilHandOver(200), 65) << "unplug " << unplug;
        rig.search->setActive(false); // positions arrive
        EXPECT_EQ(rig.search->passes(), 0);
    }
    rig.search->setActive(true);
    rig.tickUntilHandOver(20);
    EXPECT_TRUE(rig.notFoundAtProbe.empty());
}

TEST(InterfaceSearch, WrapsAfterPort65AndCountsThePass) {
    SearchRig rig({65, 3});
    rig.search->setActive(true);
    EXPECT_EQ(rig.tickUntilHandOver(10), 3);
    EXPECT_EQ(rig.tickUntilHandOver(200), 65);
    EXPECT_EQ(rig.search->searchPortNumber(), 1);
    EXPECT_EQ(rig.search->passes(), 1);
    EXPECT_EQ(rig.tickUntilHandOver(200), 3);
}

TEST(InterfaceSearch, IdleOrStoppingMeansNoProbe) {
    SearchRig rig({1});
    for (int i = 0; i < 5; ++i)
        rig.search->searchTick();
    EXPECT_TRUE(rig.probes.empty()) << "inactive";
    EXPECT_TRUE(rig.statusLine.empty());

    rig.search->setActive(true);
    rig.link.stopRequest = true;
    rig.search->searchTick();
    EXPECT_TRUE(rig.probes.empty()) << "the program is closing";
    EXPECT_EQ(rig.search->searchPortNumber(), 1);
    EXPECT_FALSE(rig.statusLine.empty()) << "the status line still shows the port";
}

} // namespace

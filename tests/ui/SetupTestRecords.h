#pragma once
// Settings records of a test's own, with ORVAdata.cfg in a fresh folder, for
// the setup dialog and the start menu.

#include "config/Bearings.h"
#include "config/CSetup.h"
#include "config/ConfigFile.h"
#include "config/Texts.h"
#include "ui/QtTranslations.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dir = folder.path().toStdString() + "/";
        count = setBuiltInBearings(table);
        setUserDefinedRow(table, count, kDefaultUserPulses);
        data.bearingType = "KAVO180/KAVOS180";
        data.pulseRate = 1536;
        data.displayFormat = 1;
        data.language = 0;
        setLanguage(0);
        state.configNotLoaded = false; // the file is read only where a test says so
    }
    void TearDown() override {
        setLanguage(0);
        loadQtTranslations(0);
    }

    SetupRecords records() {
        return SetupRecords{
            ConfigRecords{data, extDisplayOn, table, count},
            minRate,
            maxRate,
            state,
            [this] {
                ++loads;
                return loadConfigFrom(dir, ConfigRecords{data, extDisplayOn, table, count});
            },
            [this] {
                ++saves;
                saveConfigTo(dir, ConfigRecords{data, extDisplayOn, table, count});
            }};
    }

    std::string configFile() const {
        std::ifstream in(dir + kConfigFileName, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    QTemporaryDir folder;
    std::string dir;
    ConfigData data;
    bool extDisplayOn = false;
    BearingEntry table[kBearingTableSize];
    int count = 0;
    RelaxedAtomic<int32_t> minRate{2};
    RelaxedAtomic<int32_t> maxRate{20000};
    SetupState state;
    int loads = 0;
    int saves = 0;
};

#pragma once
// Settings records of a test's own, with ORVAdata.cfg in a fresh folder, for
// the setup dialog and the start menu.

#include "config/Texts.h"
#include "support/ConfigSet.h"
#include "ui/CSetup.h"
#include "ui/QtTranslations.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

class SetupTest : public ::testing::Test, protected ConfigSet {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dir = folder.path().toStdString() + "/";
        useBuiltInBearings();
        data.bearingType = "KAVO180/KAVOS180";
        data.pulseRate = 1536;
        data.displayFormat = 1;
        data.language = 0;
        setLanguage(0);
    }
    void TearDown() override {
        setLanguage(0);
        loadQtTranslations(0);
    }

    SetupRecords records() {
        return SetupRecords{ConfigSet::records(), minRate, maxRate, state, [this] {
                                ++saves;
                                saveConfigTo(dir, ConfigSet::records());
                            }};
    }

    std::string configFile() const { return fileBytes(dir + kConfigFileName); }

    QTemporaryDir folder;
    std::string dir;
    RelaxedAtomic<int32_t> minRate{2};
    RelaxedAtomic<int32_t> maxRate{20000};
    SetupState state;
    int saves = 0;
};

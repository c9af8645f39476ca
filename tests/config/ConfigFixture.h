#pragma once
// A configuration of its own for each test: records that are not the
// process-wide ones, and a fresh folder for ORVAdata.cfg.

#include "config/ConfigFile.h"
#include "support/ConfigSet.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tempDir.isValid());
        dir = tempDir.path().toStdString() + "/";
        // The defaults take the language from the user's locale; fix it.
        setenv("LC_ALL", "de_DE.UTF-8", 1);
    }
    void TearDown() override { unsetenv("LC_ALL"); }

    std::string path() const { return dir + kConfigFileName; }

    void writeFile(const std::string& bytes) const {
        std::ofstream out(path(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string readFile() const { return fileBytes(path()); }
    int load(ConfigSet& set) const { return loadConfigFrom(dir, set.records()); }
    bool save(ConfigSet& set) const { return saveConfigTo(dir, set.records()).ok; }

    // True when the file on disk holds every key, as the next start sees it.
    bool fileComplete() const {
        ConfigSet probe;
        std::string merged;
        std::string read;
        return mergeConfig(path(), merged, read, probe.records());
    }

    QTemporaryDir tempDir;
    std::string dir;
};

// A complete file in the program's own format (CR LF), holding values that
// differ from every default. Each edit replaces the line that starts with its
// key ("" removes that line); an edit whose key is not in the file is added
// at the end.
struct LineEdit {
    std::string key;
    std::string line;
};
std::string completeFile(const std::vector<LineEdit>& edits = {});

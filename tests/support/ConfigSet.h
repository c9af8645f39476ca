#pragma once
// Settings records of a test's own, so that the process-wide ones and the
// working directory's ORVAdata.cfg stay untouched, and reading a file back
// whole. Free of GoogleTest, so that the fuzz targets use it too.

#include "config/Bearings.h"
#include "config/ConfigFile.h"

#include <fstream>
#include <sstream>
#include <string>

struct ConfigSet {
    ConfigData data;
    bool extDisplayOn = false;
    BearingEntry table[kBearingTableSize];
    int count = 0;

    ConfigRecords records() { return ConfigRecords{data, extDisplayOn, table, count}; }

    // The built-in bearing rows and the user-defined one after them.
    void useBuiltInBearings() {
        count = setBuiltInBearings(table);
        setUserDefinedRow(table, count, kDefaultUserPulses);
    }
};

// The bytes of a file; "" when there is none.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Any bytes as ORVAdata.cfg: loading must not crash or overrun, and what is
// saved afterwards must read back as a complete file with the same values.

#include "config/ConfigFile.h"
#include "support/ConfigSet.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// Every run writes the file three times: a folder in memory keeps that fast.
const std::string& workDirectory() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/orvatix-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/orvatix-fuzz-XXXXXX"));
    static const std::string path = dir.path().toStdString() + "/";
    return path;
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_config: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = workDirectory();
    const std::string path = dir + kConfigFileName;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ConfigSet first;
    const int count = loadConfigFrom(dir, first.records());
    check(count >= 1 && count <= kMaxBearingRows, "bearing count out of range");
    check(first.data.displayFormat >= 0 && first.data.displayFormat <= 3, "display format");
    check(first.table[count].pulses >= 2 && first.table[count].pulses <= 20000, "defined");
    if (!saveConfigTo(dir, first.records()).ok) {
        return 0;
    }
    std::string merged;
    std::string read;
    check(mergeConfig(path, merged, read, first.records()), "saved file is incomplete");
    check(merged == read, "saving the same values again would change the file");

    // One save repairs the file: from then on loading and saving agree.
    ConfigSet second;
    loadConfigFrom(dir, second.records());
    check(saveConfigTo(dir, second.records()).ok, "second save failed");
    ConfigSet third;
    check(loadConfigFrom(dir, third.records()) == second.count, "bearing rows changed");
    const ConfigData& a = second.data;
    const ConfigData& b = third.data;
    check(a.bearingType == b.bearingType && a.displayFormat == b.displayFormat &&
              a.directionReversed == b.directionReversed && a.language == b.language &&
              a.extDisplayMode == b.extDisplayMode && a.portName == b.portName &&
              a.lastFile == b.lastFile && a.userLevel == b.userLevel &&
              second.extDisplayOn == third.extDisplayOn,
          "a saved value read back differently");
    for (int i = 0; i <= second.count; ++i) {
        check(second.table[i].pulses == third.table[i].pulses, "bearing pulses changed");
    }
    return 0;
}

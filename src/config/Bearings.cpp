#include "config/Bearings.h"

#include "config/Latin1.h"

#include <QString>

#include <algorithm>

namespace {

struct BuiltInRow {
    const char* name;
    int32_t pulses;
};

const BuiltInRow kBuiltInRows[kBuiltInBearingCount] = {
    {"KAVO150/KAVOS150", 1344}, {"KAVO180/KAVOS180", 1536}, {"KAVO200/KAVOS200", 1704},
    {"KAVO260/KAVOS260", 2160}, {"KAVO325/KAVOS325", 2592}, {"KAVO395/KAVOS395", 3048},
    {"KAVO460/KAVOS460", 3504},
};

int lastRow(int count) {
    return std::clamp(count, 0, kBearingTableSize - 1);
}

} // namespace

int32_t clampPulses(int64_t pulses) {
    return static_cast<int32_t>(std::clamp<int64_t>(pulses, kMinPulses, kMaxPulses));
}

int setBuiltInBearings(BearingEntry* table) {
    for (int i = 0; i < kBuiltInBearingCount; ++i) {
        table[i].name = kBuiltInRows[i].name;
        table[i].pulses = kBuiltInRows[i].pulses;
    }
    return kBuiltInBearingCount;
}

void setUserDefinedRow(BearingEntry* table, int count, int32_t pulses) {
    count = lastRow(count);
    table[count].name = kUserDefinedName;
    table[count].pulses = pulses;
    for (int i = 0; i <= count; ++i) {
        table[i].count = count;
    }
}

int findBearingByName(const BearingEntry* table, int count, std::string_view type) {
    const QString wanted = QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size()));
    for (int i = 0; i <= lastRow(count); ++i) {
        if (QString::fromStdString(table[i].name).startsWith(wanted, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return 0;
}

int findBearingByPulses(const BearingEntry* table, int count, int32_t pulses) {
    for (int i = 0; i <= lastRow(count); ++i) {
        if (table[i].pulses == pulses) {
            return i;
        }
    }
    return -1;
}

bool applyDetectedPulseRate(ConfigData& config, const BearingEntry* table, int count,
                            int32_t pulses) {
    const int row = findBearingByPulses(table, count, pulses);
    if (row < 0) {
        return false;
    }
    config.pulseRate = table[row].pulses;
    config.bearingType = utf8Prefix(table[row].name, kMaxBearingName);
    return true;
}

void updatePulseRateRange(const BearingEntry* table, int count, RelaxedAtomic<int32_t>& minRate,
                          RelaxedAtomic<int32_t>& maxRate) {
    int32_t lo = table[0].pulses;
    int32_t hi = table[0].pulses;
    for (int i = 1; i <= lastRow(count); ++i) {
        lo = std::min(lo, table[i].pulses);
        hi = std::max(hi, table[i].pulses);
    }
    minRate = lo;
    maxRate = hi;
}

int32_t confirmBearingSelection(ConfigData& config, BearingEntry* table, int count, int row,
                                int64_t fieldValue, RelaxedAtomic<int32_t>& minRate,
                                RelaxedAtomic<int32_t>& maxRate) {
    count = lastRow(count);
    row = std::clamp(row, 0, count);
    BearingEntry& entry = table[row];
    config.bearingType = utf8Prefix(entry.name, kMaxBearingName - 1);
    if (row == count) {
        entry.pulses = clampPulses(fieldValue);
    }
    entry.pulses = clampPulses(entry.pulses);
    config.pulseRate = entry.pulses;
    updatePulseRateRange(table, count, minRate, maxRate);
    return entry.pulses;
}

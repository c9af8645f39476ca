#pragma once
// The bearing type table: built-in rows, the "User defined" row, the lookups
// by name and by reported pulse rate, and the pulse-rate range that the line
// parser accepts.

#include "config/ConfigData.h"

#include "config/ShaftGeometry.h"

#include <cstdint>
#include <string_view>

constexpr int32_t kMinPulses = shaft::kMinPulseRate;
constexpr int32_t kMaxPulses = shaft::kMaxPulseRate;
constexpr int32_t kDefaultUserPulses = 1728;
constexpr int kBuiltInBearingCount = 7;
constexpr std::size_t kMaxBearingName = 19; // characters of a row name and of bearingType

inline constexpr const char* kUserDefinedName = "User defined";

// Holds a pulse rate to 2..20000.
int32_t clampPulses(int64_t pulses);

// Puts the built-in rows into rows 0..6 and returns their number (7).
int setBuiltInBearings(BearingEntry* table);

// Makes row `count` the "User defined" row with `pulses`, and refreshes every
// row's copy of the count.
void setUserDefinedRow(BearingEntry* table, int count, int32_t pulses);

// The first of rows 0..count whose name begins with `type`, compared without
// regard to case; row 0 when none does.
int findBearingByName(const BearingEntry* table, int count, std::string_view type);

// The first of rows 0..count with exactly `pulses`; -1 when none has.
int findBearingByPulses(const BearingEntry* table, int count, int32_t pulses);

// The box reported `pulses`: on a matching row, pulseRate and bearingType
// follow that row and the result is true; otherwise nothing changes.
bool applyDetectedPulseRate(ConfigData& config, const BearingEntry* table, int count,
                            int32_t pulses);

// Smallest and largest pulses over rows 0..count ("User defined" included).
void updatePulseRateRange(const BearingEntry* table, int count, RelaxedAtomic<int32_t>& minRate,
                          RelaxedAtomic<int32_t>& maxRate);

// The setup dialog's OK for row `row`: bearingType = the row's name (at most
// 18 characters), the "User defined" row takes `fieldValue`, the row's pulses
// are held to 2..20000 and become pulseRate, and the range is recomputed.
// Returns the new pulseRate.
int32_t confirmBearingSelection(ConfigData& config, BearingEntry* table, int count, int row,
                                int64_t fieldValue, RelaxedAtomic<int32_t>& minRate,
                                RelaxedAtomic<int32_t>& maxRate);

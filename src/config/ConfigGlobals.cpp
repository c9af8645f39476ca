#include "config/ConfigData.h"
#include "config/ShaftGeometry.h"

ConfigData configData;
bool extDisplayOn = false;
BearingEntry bearingTable[kBearingTableSize];
int bearingCount = 0;
RelaxedAtomic<int32_t> minPulseRate{shaft::kMinPulseRate};
RelaxedAtomic<int32_t> maxPulseRate{shaft::kMaxPulseRate};

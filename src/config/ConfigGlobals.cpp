#include "config/ConfigData.h"

ConfigData configData;
bool extDisplayOn = false;
BearingEntry bearingTable[kBearingTableSize];
int bearingCount = 0;
RelaxedAtomic<int32_t> minPulseRate{2};
RelaxedAtomic<int32_t> maxPulseRate{20000};

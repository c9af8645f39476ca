#include "status/ExtendedDisplayEvents.h"

#include "device/DeviceEvents.h"

int extendedDisplayRefresh(int code, int param, bool recording) {
    switch (code) {
    case kDacOffsetsEvent:
        // Only the two-letter line with every channel; the bars own param 2.
        return param == 0 && !recording ? code : 0;
    case kChannelValuesEvent:
    case kChannelFactorsEvent:
        // A one-letter line carries one channel: the two-letter line follows.
        return param == 0 ? code : 0;
    case kReferencePhaseEvent:
    case kZeroValueBEvent:
    case kReferenceAnalysisEvent:
    case kReferenceMarkEvent:
        return code;
    default:
        return 0;
    }
}

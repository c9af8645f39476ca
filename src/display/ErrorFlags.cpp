#include "display/ErrorFlags.h"

#include "config/StatusMessageRows.h"
#include "config/Texts.h"

namespace {

constexpr const char* kShortNames[16] = {
    ",W-Sig ",  ",W-Lo ", ",W-Hi ",  ",W-OSpd ", ",Y-Sig ", ",Y-Lo ",  ",Y-Hi ",  ",Y-OSpd ",
    ",Spd232 ", ",Ref ",  ",RollO ", ",ADC ",    ",NoOff ", ",W-NoS ", ",Y-NoS ", ",DACo ",
};

std::string shortList(int32_t flags, double firmwareVersion) {
    if (flags == 0) {
        return " -";
    }
    std::string out;
    for (int bit = 0; bit < 16; ++bit) {
        if ((flags & (1 << bit)) == 0) {
            continue;
        }
        if (bit == 1 && firmwareVersion >= kFirmwareMaxSpeed) {
            out += ",MX-Spd ";
        } else {
            out += kShortNames[bit];
        }
    }
    out[0] = ' ';
    return out;
}

void appendRow(std::string& out, int row) {
    out += text(TextTable::StatusMessages, row);
}

std::string longDescription(int32_t flags) {
    using namespace errorflag;
    if (flags == 0) {
        return "ok";
    }
    const bool rs232Stopped = (flags & kRs232Stopped) != 0;
    std::string out;
    for (int sensor = 0; sensor < 2; ++sensor) {
        const int32_t n = (flags >> (4 * sensor)) & 0xF;
        // Bits of one sensor: 1 signal, 4 high amplitude, 8 offset speed.
        if ((n & 0xD) == 0 || (rs232Stopped && (n & 0x4) == 0)) {
            continue;
        }
        if (sensor == 0) {
            out += "CH-W: ";
        } else {
            if (!out.empty()) {
                out += "\n ";
            }
            out += "CH-Y: ";
        }
        if (n & 0x1) {
            appendRow(out, (n & 0x4) ? statusrow::kHighAmplitude : statusrow::kSignalError);
        }
        if ((n & 0x8) && !rs232Stopped) {
            appendRow(out, statusrow::kNoOffsetCalculation);
        }
    }
    if (!out.empty()) {
        out += "\n ";
    }
    if (flags & kWhLowOrMaxSpeed) {
        appendRow(out, statusrow::kSpeedError);
    } else if (rs232Stopped) {
        appendRow(out, statusrow::kRs232Stopped);
    }
    struct CommonText {
        int32_t mask;
        int row;
    };
    static constexpr CommonText kCommon[] = {
        {kUnexpectedRef, statusrow::kUnexpectedReference},
        {kRollOver, statusrow::kPositionOverrun},
        {kAdcTimeout, statusrow::kAdcTimeout},
        {kNoOffset, statusrow::kNoOffsetFound},
        {kWhNoSensor, statusrow::kNoSensor},
        {kYeNoSensor, statusrow::kNoSensor},
        {kDacCalFailed, statusrow::kOutputCalFailed},
    };
    for (const CommonText& common : kCommon) {
        if (flags & common.mask) {
            appendRow(out, common.row);
        }
    }
    return out;
}

} // namespace

std::string describeFlags(int32_t flags, bool longForm, double firmwareVersion) {
    const int32_t used = flags & errorflag::kUsedBits;
    return longForm ? longDescription(used) : shortList(used, firmwareVersion);
}

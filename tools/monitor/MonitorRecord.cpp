#include "MonitorRecord.h"

#include "JsonText.h"
#include "display/TextFormat.h"

const char* kindName(MonitorRecord::Kind kind) {
    switch (kind) {
    case MonitorRecord::Kind::Box:
        return "box";
    case MonitorRecord::Kind::Position:
        return "position";
    case MonitorRecord::Kind::Status:
        return "status";
    case MonitorRecord::Kind::NoData:
        return "nodata";
    }
    return "?";
}

std::string compactFlags(const std::string& shortForm) {
    std::string out;
    for (char c : shortForm)
        if (c != ' ')
            out += c;
    return out;
}

namespace {

// A CSV field is quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::string statusHex(int32_t statusWord) {
    return formatText("0x%04X", static_cast<unsigned>(static_cast<uint32_t>(statusWord)));
}

// The columns after "info" came later; they go last so that scripts that read
// the first nine by position keep working.
std::string csvHeader() {
    return "time,kind,position,speed,amplitude_wh,amplitude_ye,status,flags,info,wall_time,"
           "status_hex";
}

std::string formatRecord(const MonitorRecord& r, MonitorFormat format) {
    const char* kind = kindName(r.kind);
    // An unknown speed is null in JSON, an empty CSV field and "-" in text:
    // never a number that only looks measured.
    switch (format) {
    case MonitorFormat::Json:
        return formatText("{\"time\":%.3f,\"wallTime\":", r.timeS) + jsonString(r.wallTime) +
               formatText(",\"kind\":\"%s\",\"position\":%.4f,\"speed\":", kind, r.positionDeg) +
               (r.speedKnown ? formatText("%.3f", r.speedRpm) : std::string("null")) +
               formatText(",\"amplitudeWH\":%.3f,\"amplitudeYE\":%.3f,\"status\":%d,"
                          "\"statusHex\":\"%s\",\"flags\":",
                          r.amplitudeWH, r.amplitudeYE, r.statusWord,
                          statusHex(r.statusWord).c_str()) +
               jsonString(r.flags) + ",\"info\":" + jsonString(r.info) + "}";
    case MonitorFormat::Csv:
        return formatText("%.3f,%s,%.4f,", r.timeS, kind, r.positionDeg) +
               (r.speedKnown ? formatText("%.3f", r.speedRpm) : std::string()) +
               formatText(",%.3f,%.3f,%d,", r.amplitudeWH, r.amplitudeYE, r.statusWord) +
               csvField(r.flags) + "," + csvField(r.info) + "," + csvField(r.wallTime) + "," +
               statusHex(r.statusWord);
    case MonitorFormat::Text:
        break;
    }
    const std::string speed = r.speedKnown ? formatText("%9.3f", r.speedRpm) : "        -";
    std::string line =
        formatText("%s %10.3f %-8s %10.4f deg %s rpm  WH %7.3f  YE %7.3f  status %d (%s)",
                   r.wallTime.c_str(), r.timeS, kind, r.positionDeg, speed.c_str(), r.amplitudeWH,
                   r.amplitudeYE, r.statusWord, statusHex(r.statusWord).c_str());
    if (!r.flags.empty())
        line += "  " + r.flags;
    if (!r.info.empty())
        line += "  " + r.info;
    return line;
}

#include "MonitorRecord.h"

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

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += formatText("\\u%04x", c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

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

std::string csvHeader() {
    return "time,kind,position,speed,amplitude_wh,amplitude_ye,status,flags,info";
}

std::string formatRecord(const MonitorRecord& r, MonitorFormat format) {
    const char* kind = kindName(r.kind);
    switch (format) {
    case MonitorFormat::Json:
        return formatText("{\"time\":%.3f,\"kind\":\"%s\",\"position\":%.4f,\"speed\":%.3f,"
                          "\"amplitudeWH\":%.3f,\"amplitudeYE\":%.3f,\"status\":%d,\"flags\":",
                          r.timeS, kind, r.positionDeg, r.speedRpm, r.amplitudeWH, r.amplitudeYE,
                          r.statusWord) +
               jsonString(r.flags) + ",\"info\":" + jsonString(r.info) + "}";
    case MonitorFormat::Csv:
        return formatText("%.3f,%s,%.4f,%.3f,%.3f,%.3f,%d,", r.timeS, kind, r.positionDeg,
                          r.speedRpm, r.amplitudeWH, r.amplitudeYE, r.statusWord) +
               csvField(r.flags) + "," + csvField(r.info);
    case MonitorFormat::Text:
        break;
    }
    std::string line =
        formatText("%10.3f %-8s %10.4f deg %9.3f rpm  WH %7.3f  YE %7.3f  status %d", r.timeS, kind,
                   r.positionDeg, r.speedRpm, r.amplitudeWH, r.amplitudeYE, r.statusWord);
    if (!r.flags.empty())
        line += "  " + r.flags;
    if (!r.info.empty())
        line += "  " + r.info;
    return line;
}

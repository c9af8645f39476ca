#include "PlantMessages.h"

#include "JsonText.h"

#include "display/TextFormat.h"

std::string infoPayload(const PlantBox& box, const std::string& programVersion,
                        const std::string& time) {
    return "{\"time\":" + jsonString(time) + ",\"port\":" + jsonString(box.port) +
           ",\"boxType\":" + jsonString(box.type) + ",\"firmware\":" + jsonString(box.firmware) +
           ",\"serial\":" + jsonString(box.serial) + ",\"bearing\":" + jsonString(box.bearing) +
           formatText(",\"lineCount\":%d", box.lineCount) +
           ",\"program\":" + jsonString("orvatix-monitor " + programVersion) + "}";
}

std::string statePayload(const std::string& state, const std::string& time) {
    return "{\"time\":" + jsonString(time) + ",\"state\":" + jsonString(state) + "}";
}

std::string flagArray(const std::string& flags) {
    std::string out = "[";
    size_t start = 0;
    bool first = true;
    while (start <= flags.size()) {
        size_t end = flags.find(',', start);
        if (end == std::string::npos)
            end = flags.size();
        const std::string flag = flags.substr(start, end - start);
        if (!flag.empty() && flag != "-") {
            out += (first ? "" : ",") + jsonString(flag);
            first = false;
        }
        start = end + 1;
    }
    return out + "]";
}

std::string withSequence(const std::string& payload, uint64_t seq) {
    if (payload.empty() || payload.front() != '{')
        return payload;
    return formatText("{\"seq\":%llu", static_cast<unsigned long long>(seq)) +
           (payload.size() > 2 ? "," : "") + payload.substr(1);
}

std::string statusPayload(const PlantValues& v, const std::string& time) {
    return "{\"time\":" + jsonString(time) +
           formatText(",\"status\":%d,\"statusHex\":\"0x%04X\",\"flags\":", v.statusWord,
                      static_cast<unsigned>(static_cast<uint32_t>(v.statusWord))) +
           flagArray(v.flags) + ",\"text\":" + jsonString(v.statusText) + "}";
}

std::string positionPayload(const PlantValues& v, const std::string& time) {
    return "{\"time\":" + jsonString(time) + ",\"position\":" + jsonNumber(v.positionDeg, 4) +
           ",\"speed\":" + (v.speedKnown ? jsonNumber(v.speedRpm) : std::string("null")) +
           ",\"amplitudeWH\":" + jsonNumber(v.amplitudeWH) +
           ",\"amplitudeYE\":" + jsonNumber(v.amplitudeYE) + "}";
}

#include "device/LineParser.h"

LineParser::LineParser(DeviceReadings& readings, std::mutex& readingsMutex, LinkControl& link,
                       const ConfigData& config, const RelaxedAtomic<int32_t>& minPulseRate,
                       const RelaxedAtomic<int32_t>& maxPulseRate, const int32_t& pollStep,
                       LinkNotifier& notifier)
    : readings_(readings), mutex_(readingsMutex), link_(link), config_(config),
      minPulseRate_(minPulseRate), maxPulseRate_(maxPulseRate), pollStep_(pollStep),
      notifier_(notifier) {}

void LineParser::parseLine(std::string_view, int32_t) {}

bool LineParser::parseIdentification(std::string_view) {
    return false;
}

#include "device/SerialPortList.h"

#include "device/PortMap.h"
#include "device/PortProbe.h"

#include <QSerialPortInfo>

#include <filesystem>

namespace {

std::string canonicalDevice(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved.string();
}

} // namespace

std::vector<SystemPortInfo> systemPortInfos() {
    std::vector<SystemPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.systemLocation().toStdString(), info.manufacturer().toStdString(),
                         info.description().toStdString(), info.serialNumber().toStdString()});
    std::vector<std::string> order;
    for (const SystemPortInfo& p : ports)
        order.push_back(p.device);
    sortSerialDevices(order);
    std::vector<SystemPortInfo> sorted;
    for (const std::string& device : order)
        for (const SystemPortInfo& p : ports)
            if (p.device == device) {
                sorted.push_back(p);
                break;
            }
    return sorted;
}

bool sameDevice(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return false;
    return a == b || canonicalDevice(a) == canonicalDevice(b);
}

std::string serialPortLabel(const std::string& comName, const SystemPortInfo& info) {
    std::string label;
    if (const int n = comPortNumber(comName); n > 0)
        label = "COM" + std::to_string(n) + "  ";
    label += info.device;
    std::string known;
    for (const std::string& part : {info.manufacturer, info.product})
        if (!part.empty() && known.find(part) == std::string::npos)
            known += (known.empty() ? "" : ", ") + part;
    if (!info.serialNumber.empty())
        known += (known.empty() ? "SN " : ", SN ") + info.serialNumber;
    if (!known.empty())
        label += "  (" + known + ")";
    return label;
}

std::vector<SerialPortEntry> serialPortEntries(const PortMap& map,
                                               const std::vector<SystemPortInfo>& system,
                                               const std::string& chosenName) {
    std::vector<SerialPortEntry> entries;
    std::vector<bool> listed(system.size(), false);
    const std::string chosenDevice =
        chosenName.empty() ? std::string() : map.deviceForName(chosenName);
    const int count = map.size();
    for (int n = 1; n <= count; ++n) {
        const std::string device = map.device(n);
        if (device.empty())
            continue;
        SystemPortInfo info{device, {}, {}, {}};
        bool known = false;
        for (size_t i = 0; i < system.size(); ++i)
            if (!listed[i] && sameDevice(system[i].device, device)) {
                info = system[i];
                info.device = device;
                listed[i] = known = true;
                break;
            }
        if (!known && !probeDevice(device) && !sameDevice(device, chosenDevice))
            continue;
        const std::string name = comPortName(n);
        entries.push_back({name, device, serialPortLabel(name, info)});
    }
    for (size_t i = 0; i < system.size(); ++i)
        if (!listed[i])
            entries.push_back({system[i].device, system[i].device, serialPortLabel({}, system[i])});
    // A chosen device that neither lists any more (its adapter is out).
    if (!chosenName.empty() && comPortNumber(chosenName) == 0) {
        bool present = false;
        for (const SerialPortEntry& e : entries)
            present = present || e.name == chosenName;
        if (!present)
            entries.push_back(
                {chosenName, chosenName, serialPortLabel({}, {chosenName, {}, {}, {}})});
    }
    return entries;
}

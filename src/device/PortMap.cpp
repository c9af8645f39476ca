#include "device/PortMap.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <tuple>

namespace {

int deviceGroup(std::string_view path) {
    std::string_view base =
        path.substr(path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1);
    if (base.rfind("ttyUSB", 0) == 0)
        return 0;
    if (base.rfind("ttyACM", 0) == 0)
        return 1;
    return 2;
}

// Compares names so that embedded numbers count by value: ttyUSB2 < ttyUSB10.
bool naturalLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t si = i, sj = j;
            while (i < a.size() && std::isdigit(static_cast<unsigned char>(a[i])))
                ++i;
            while (j < b.size() && std::isdigit(static_cast<unsigned char>(b[j])))
                ++j;
            std::string_view na = a.substr(si, i - si), nb = b.substr(sj, j - sj);
            while (na.size() > 1 && na.front() == '0')
                na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0')
                nb.remove_prefix(1);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
        } else {
            if (a[i] != b[j])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

} // namespace

std::vector<std::string> parsePortList(std::string_view text) {
    std::vector<std::string> devices;
    size_t start = 0;
    while (true) {
        size_t colon = text.find(':', start);
        devices.emplace_back(text.substr(start, colon - start));
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    return devices;
}

void sortSerialDevices(std::vector<std::string>& devices) {
    std::stable_sort(devices.begin(), devices.end(),
                     [](const std::string& a, const std::string& b) {
                         int ga = deviceGroup(a), gb = deviceGroup(b);
                         if (ga != gb)
                             return ga < gb;
                         return naturalLess(a, b);
                     });
}

std::vector<std::string> systemSerialPorts() {
    std::vector<std::string> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.push_back(info.systemLocation().toStdString());
    sortSerialDevices(devices);
    devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
    return devices;
}

int comPortNumber(std::string_view name) {
    if (name.rfind("\\\\.\\", 0) == 0)
        name.remove_prefix(4);
    if (name.size() < 4 || name.size() > 6)
        return 0;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[size_t(i)])) != "COM"[i])
            return 0;
    int n = 0;
    for (char c : name.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string comPortName(int n) {
    return "\\\\.\\COM" + std::to_string(n);
}

PortMap::PortMap() {
    if (const char* env = std::getenv("ORVATIX_PORTS")) {
        fixed_ = true;
        devices_ = parsePortList(env);
    } else {
        devices_ = systemSerialPorts();
    }
}

PortMap::PortMap(std::vector<std::string> devices) : fixed_(true), devices_(std::move(devices)) {}

std::string PortMap::device(int n) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (n < 1 || n > int(devices_.size()))
        return {};
    return devices_[size_t(n - 1)];
}

std::string PortMap::deviceForName(std::string_view name) const {
    int n = comPortNumber(name);
    if (n == 0)
        return std::string(name);
    return device(n);
}

void PortMap::refresh() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (fixed_)
            return;
    }
    // Enumerating can take a while; do it without holding the lock.
    std::vector<std::string> devices = systemSerialPorts();
    std::lock_guard<std::mutex> lock(mutex_);
    devices_ = std::move(devices);
}

int PortMap::size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return int(devices_.size());
}

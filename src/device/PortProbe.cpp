#include "device/PortProbe.h"

#include "device/PortMap.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool probeDevice(const std::string& path) {
    if (path.empty())
        return false;
    // Non-blocking, so that a port whose modem lines are down does not wait
    // for a carrier; no controlling terminal, so that the probe takes nothing
    // from the line.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    // "Device not found" and its relatives: the node is gone, or nothing is
    // behind it any more. Every other failure (busy, no permission) means
    // the port is there.
    return !(errno == ENOENT || errno == ENODEV || errno == ENXIO || errno == ENOTDIR);
}

bool probePort(PortMap& map, int n) {
    if (n == 1)
        map.refresh();
    return probeDevice(map.device(n));
}

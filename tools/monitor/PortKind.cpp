#include "PortKind.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string portKindProblem(const std::string& device, bool afterOpenFailed) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return {};
    if (S_ISDIR(st.st_mode))
        return device + ": is a folder, not a serial port.";
    if (S_ISREG(st.st_mode))
        return device + ": is a regular file, not a serial port.";
    if (!S_ISCHR(st.st_mode))
        return device + ": is not a device file, so not a serial port.";
    if (!afterOpenFailed)
        return {};
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {}; // busy or refused: the caller's advice
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal ? std::string() : device + ": is a device, but not a serial port.";
}

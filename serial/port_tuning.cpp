#include <QtGlobal>

#include "serial/port_tuning.h"

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

bool requestLowLatency(qintptr handle) {
#ifdef Q_OS_LINUX
    serial_struct info{};
    const int fd = static_cast<int>(handle);
    if (::ioctl(fd, TIOCGSERIAL, &info) != 0)
        return false;
    if (info.flags & ASYNC_LOW_LATENCY)
        return true;
    info.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(fd, TIOCSSERIAL, &info) == 0;
#else
    Q_UNUSED(handle);
    return false;
#endif
}

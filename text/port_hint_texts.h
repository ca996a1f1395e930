#pragma once
// The hints beside a port that could not be opened: what the technician can do about it.
// In the five languages of the text table, kept beside it and never numbered as its rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class PortHintText {
    // Permission denied (13): serial devices belong to the group dialout. %1: the device.
    JoinDialout,
    // No such device (2) for a port list entry. %1: the entry, %2: the device it stands
    // for, %3: the settings file whose [Ports] section maps the entries.
    NoDeviceForEntry,
    // No such device (2) for a device path given as it is. %1: the device.
    NoDevice,
    // In use (16), held by the window's own program. %1: the device, %2: its process id,
    // %3: the connect button's caption while connected ("COM stoppen").
    BusyWindow,
    // In use (16), held by another named program. %1: the device, %2: the program,
    // %3: its process id.
    BusyProgram,
    // In use (16), the holder unknown. %1: the device, %2: the connect button's caption
    // while connected.
    BusyUnknown,
    // Not a serial port (25, or 21: a folder) for a port list entry. %1: the entry, %2:
    // the path it stands for, %3: the settings file whose [Ports] section maps the entries.
    NotSerialForEntry,
    // Not a serial port for a path given as it is. %1: the path.
    NotSerial,
};

// The text in the active language; German, the design language, while none is active.
QString portHintText(std::optional<Language> active, PortHintText text);

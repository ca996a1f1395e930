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
};

// The text in the active language; German, the design language, while none is active.
QString portHintText(std::optional<Language> active, PortHintText text);

#pragma once
// The port list keeps the entries "COM1" … "COM32" everywhere. On Windows they are the
// ports themselves; elsewhere each entry stands for a device path: COMn is /dev/ttyS(n−1)
// unless the settings file maps the entry to another path (a USB adapter, a
// /dev/serial/by-id/… name, the simulator's pseudo-terminal).
#include <QHash>
#include <QString>

class IniFile;

// A port list entry: "COM1" … "COM32", in any case, spaces around allowed.
bool isPortListEntry(const QString& text);
// Text that names a COM port ("COM0", "com33", "COMx") rather than a device path. Such a
// text that is no port list entry names no port the window offers.
bool namesComPort(const QString& text);

// Device path an entry stands for when nothing maps it.
QString defaultDevicePath(const QString& entry);

// Replaces the entry → path overrides (keys compared case-insensitively).
void setPortOverrides(const QHash<QString, QString>& overrides);

// The device path to open for a port list entry.
QString devicePathFor(const QString& entry);

// Reads the overrides from the settings file's section "Ports" ("COM3=/dev/ttyUSB0").
void loadPortOverrides(const IniFile& settings);

#pragma once
// What to do about a port that could not be opened, for the failures a technician meets:
// no permission for the device (13: not yet in the group dialout), no such device (2: the
// adapter is not plugged in, or the entry stands for another path than the adapter has),
// the device in use (16: another program holds it open, the TRV5200 window among them,
// whose disconnect keeps the port open) and a path that is no serial port at all (25, a
// file or /dev/null; 21, a folder). Shown below the link's own message, which stays as it
// is.
#include "serial/port_holder.h"
#include "text/info_table.h"

#include <QString>
#include <optional>

// The program name of the window, as the system shows its process.
inline constexpr char kWindowProgram[] = "trv5200";

// The hint for a failed open with the system's error number, or an empty text when there
// is none for it. entry: the port list entry or the path as given; devicePath: what it
// stands for; settingsPath: the settings file whose [Ports] section maps the entries;
// holder: who holds the device, for 16 (findPortHolder); stopCaption: the connect
// button's caption while connected as the window shows it, text 101 of the hint's
// language when empty.
QString portOpenHint(int errorNumber, const QString& entry, const QString& devicePath,
                     const QString& settingsPath, std::optional<Language> language,
                     const std::optional<PortHolder>& holder = std::nullopt,
                     const QString& stopCaption = {});

#pragma once
// What to do about a port that could not be opened, for the two failures a technician
// meets on a new laptop: no permission for the device (13: not yet in the group dialout)
// and no such device (2: the adapter is not plugged in, or the entry stands for another
// path than the adapter has). Shown below the link's own message, which stays as it is.
#include "text/info_table.h"

#include <QString>
#include <optional>

// The hint for a failed open with the system's error number, or an empty text when there
// is none for it. entry: the port list entry or the path as given; devicePath: what it
// stands for; settingsPath: the settings file whose [Ports] section maps the entries.
QString portOpenHint(int errorNumber, const QString& entry, const QString& devicePath,
                     const QString& settingsPath, std::optional<Language> language);

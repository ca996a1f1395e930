#pragma once
// Whether a read whose values are kept is confirmed by a second read: section "Tools",
// key "ConfirmReads" ("1" on, "0" off) of the settings file, on when missing. Each writer
// keeps whatever else the file holds.
#include <QString>

class IniFile;

bool readConfirmReads(const IniFile& ini);

// Writes the key, keeping everything else the file holds. False with a reason when the
// file cannot be written.
bool writeConfirmReads(const QString& path, bool on, QString* error = nullptr);

#pragma once
// Whether a parameter write is read back and compared: section "Tools", key
// "VerifyAfterWrite" ("1" on, "0" off) of the settings file, on when missing. Kept apart
// from the keys of section "Option", which the window writes at close; each writer keeps
// whatever else the file holds.
#include <QString>

class IniFile;

bool readVerifyAfterWrite(const IniFile& ini);

// Writes the key, keeping everything else the file holds (its encoding and line endings
// too). False with a reason when the file cannot be written.
bool writeVerifyAfterWrite(const QString& path, bool on, QString* error = nullptr);

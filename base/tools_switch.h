#pragma once
// A switch of our own tools in section "Tools" of the settings file ("1" on, "0" off), on
// when missing. Kept apart from the keys of section "Option", which the window writes at
// close; each writer keeps whatever else the file holds.
#include <QString>

class IniFile;

// Anything but an explicit 0 keeps the switch on: the tools' switches guard the data, and
// a mistyped value must not turn a guard off.
bool readToolsSwitch(const IniFile& ini, const QString& key);

// Writes the key, keeping everything else the file holds (its encoding and line endings
// too). False with a reason when the file cannot be written.
bool writeToolsSwitch(const QString& path, const QString& key, bool on, QString* error);

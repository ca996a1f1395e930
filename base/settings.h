#pragma once
// The settings file "TRV5200.ini": section "Option" with the keys "Com" (the selected COM
// list entry) and "Language" (the language code). Read once at start, written at close.
#include <QString>
#include <QStringList>

struct StartSettings {
    QString com_port = QStringLiteral("COM1");      // "COM1" when missing or empty
    QString language_code = QStringLiteral("none"); // "none" when missing
};

class IniFile;

StartSettings readSettingsFile(const QString& path);
// The same from a settings file already read (which also holds the port mappings).
StartSettings readSettings(const IniFile& ini);

// Writes both keys, keeping whatever else the file holds (port mappings, comments).
// False with a reason when the file cannot be written.
bool writeSettingsFile(const QString& path, const QString& com, const QString& language,
                       QString* error = nullptr);

// The fixed entries of the COM list: "COM1" … "COM32".
QStringList comEntries();

// The entry the COM list starts on: the one whose text is com_port, else the first.
int comListIndex(const QStringList& entries, const QString& com_port);

#pragma once
// Where the program keeps its settings file "TRV5200.ini" and its "Config" folder of
// parameter files. On Windows both sit beside the program, as technicians know them;
// elsewhere the program folder is not writable, so they go to the user's config and data
// directories (~/.config/TRV5200/TRV5200.ini and the application's data directory,
// ~/.local/share/TRV5200/Config).
#include <QString>

QString settingsFilePath();
QString configFolderPath();

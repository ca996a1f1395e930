#pragma once
// Qt's own strings — the standard buttons of message boxes and of the password box, the
// labels of the file dialogs — in the window's language, from the catalogues installed
// with Qt (qtbase_xx, or the older all-in-one qt_xx). English needs none. A language
// whose catalogue is not installed quietly leaves Qt's English.
#include "text/info_table.h"

#include <QString>
#include <QTranslator>
#include <memory>
#include <optional>

class QtTranslation {
public:
    QtTranslation() = default;
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;
    ~QtTranslation();

    // Puts Qt's catalogue of the language in place of the one before (none for English
    // or no language). True when a catalogue of that language is installed now.
    bool use(std::optional<Language> language);

    // The folder Qt's catalogues are looked for in.
    static QString folder();

private:
    std::unique_ptr<QTranslator> translator_;
};

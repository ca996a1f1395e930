// The window's side of the open-failure hint: the link's message box says what the system
// said, unchanged; the status line's message panel says what to do about it, and keeps
// saying it after the boxes are closed, until a later open succeeds.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "base/settings_location.h"
#include "serial/port_hint.h"
#include "serial/sio.h"

void THauptfenster::showPortHint(int errorNumber, const QString& devicePath) {
    const QString hint =
        portOpenHint(errorNumber, port_name, devicePath, settingsFilePath(), activeLanguage());
    if (hint.isEmpty())
        return;
    StatusBar3->setPanelText(TStatusLine::kMessagePanel, hint);
    port_hint_note = hint;
    // While it stands there it follows a change of language.
    disconnect(port_hint_relabel);
    port_hint_relabel =
        connect(this, &THauptfenster::languageApplied, this, [this, errorNumber, devicePath] {
            if (StatusBar3->panelText(TStatusLine::kMessagePanel) == port_hint_note)
                showPortHint(errorNumber, devicePath);
        });
}

void THauptfenster::clearPortHint() {
    if (port_hint_note.isEmpty())
        return;
    disconnect(port_hint_relabel);
    if (StatusBar3->panelText(TStatusLine::kMessagePanel) == port_hint_note)
        StatusBar3->setPanelText(TStatusLine::kMessagePanel, QString());
    port_hint_note.clear();
}

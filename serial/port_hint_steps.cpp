// The window's side of the open-failure hint: the link's message box says what the system
// said, unchanged; the status line's message panel says what to do about it, and keeps
// saying it after the boxes are closed, until a later open succeeds.
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "base/settings_location.h"
#include "serial/port_hint.h"
#include "serial/sio.h"

#include <cerrno>

namespace {

void showHint(THauptfenster* w, int errorNumber, const QString& devicePath,
              const std::optional<PortHolder>& holder) {
    const QString hint = portOpenHint(errorNumber, port_name, devicePath, settingsFilePath(),
                                      w->activeLanguage(), holder);
    if (hint.isEmpty())
        return;
    w->StatusBar3->setPanelText(TStatusLine::kMessagePanel, hint);
    w->port_hint_note = hint;
    // While it stands there it follows a change of language.
    QObject::disconnect(w->port_hint_relabel);
    w->port_hint_relabel = QObject::connect(
        w, &THauptfenster::languageApplied, w, [w, errorNumber, devicePath, holder] {
            if (w->StatusBar3->panelText(TStatusLine::kMessagePanel) == w->port_hint_note)
                showHint(w, errorNumber, devicePath, holder);
        });
}

} // namespace

void THauptfenster::showPortHint(int errorNumber, const QString& devicePath) {
    // Who holds a busy device is looked up once, at the failed open; a change of language
    // says the same again.
    showHint(this, errorNumber, devicePath,
             errorNumber == EBUSY ? findPortHolder(devicePath) : std::nullopt);
}

void THauptfenster::clearPortHint() {
    if (port_hint_note.isEmpty())
        return;
    disconnect(port_hint_relabel);
    if (StatusBar3->panelText(TStatusLine::kMessagePanel) == port_hint_note)
        StatusBar3->setPanelText(TStatusLine::kMessagePanel, QString());
    port_hint_note.clear();
}

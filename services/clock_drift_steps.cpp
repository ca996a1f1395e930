// The controller clock's drift beside it, after every live reading: the technician sees at
// a glance whether the night profile runs on time, and is told to set the clock once it is
// more than a minute off.
#include "app/hauptfenster.h"
#include "services/clock_drift.h"
#include "services/clock_words.h"
#include "text/own_texts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

void THauptfenster::showClockDrift() {
    const QDateTime now = pcNow ? pcNow() : QDateTime::currentDateTime();
    const std::optional<qint64> drift = clockDriftSeconds(live_values.controllerClock, now,
                                                          daylightBiasMinutes(now.timeZone(), now));
    if (!drift) {
        uC_drift->clear();
        uC_drift->setToolTip(QString());
        uC_Zeit->setToolTip(QString());
        return;
    }
    const QString text = driftText(*drift);
    const bool worthSync = driftWorthSync(*drift);
    // Most readings show the same drift: the label repaints only when it changes.
    if (text == uC_drift->text())
        return;
    uC_drift->setText(text);
    QPalette palette = uC_drift->palette();
    palette.setColor(QPalette::WindowText, worthSync
                                               ? QColor(255, 0, 0)
                                               : GroupBox7->palette().color(QPalette::WindowText));
    uC_drift->setPalette(palette);
    const QString tip = worthSync ? ownText(activeLanguage(), OwnText::ClockDriftWorthSync)
                                        .arg(text, clk_bt->text().remove(QLatin1Char('&')))
                                  : ownText(activeLanguage(), OwnText::ClockDrift).arg(text);
    uC_drift->setToolTip(tip);
    uC_Zeit->setToolTip(tip);
}

#pragma once
// Mains-voltage calibration: the controller's raw AC reading at 230 V (the calibration
// value) from a multimeter reading, the voltage set points between volts and raw counts,
// and the rules that arm the calibration page and that let a calibration go ahead. Pure
// functions; the window only shows the log lines and sends the write.
#include "text/info_table.h"
#include "text/own_texts.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// numerator / denominator rounded to the nearest integer, a tie to the even one, computed
// exactly (no floating point, so a true tie is never mistaken for a near one). The
// denominator is not 0.
quint64 roundedQuotient(quint64 numerator, quint64 denominator);

// Raw set point for volts under a calibration value: volts / 230 × kal_value230, rounded
// halves to even, at most 65535. Without a calibration value (0) nothing can be written,
// and the result is 0.
quint16 voltsToMeasurement(quint16 volts, quint16 kal_value230);

// The new calibration value: the raw reading uac_ist_int at the measured volts scaled to
// 230 V, uac_ist_int × 230 / measured, rounded halves to even. measured is 210 … 260.
quint16 newCalibrationValue(quint16 uac_ist_int, int measured);

// One line of the calibration log: a row of the text table, or a text of our own, with a
// number appended directly (no separator) where the line carries one.
struct CalibrationLogLine {
    int row = -1;                 // text table row, or -1 for an own text
    std::optional<OwnText> own;   // our own text when row is -1
    std::optional<qint64> number; // appended in decimal
    bool operator==(const CalibrationLogLine&) const = default;
};
QString logLineText(std::optional<Language> language, const CalibrationLogLine& line);
// The line of an accepted calibration: the new value.
CalibrationLogLine newValueLine(quint16 kal_value230);
// The lines of the write: the calibration value and the two raw set points sent.
QList<CalibrationLogLine> writeLog(quint16 kal_value230, quint16 start, quint16 nominal);

// What the identity answer does to the calibration page.
struct CalibrationArming {
    QList<CalibrationLogLine> log;
    // The button, the measured-value field and its up-down come alive, and the stored set
    // points are shown in volts. Otherwise the button is disabled and the volt fields keep
    // what they hold.
    bool armed = false;
};
// Old controllers are calibrated from revision 13 on; new ones always. The log names the
// revision (old hardware only) and the calibration value found, or that there is none.
CalibrationArming calibrationArming(bool hw_old, qint32 HW_Ver_Nr, quint16 kal_value230);

// What the controller shows when the calibration button is pressed.
struct CalibrationConditions {
    bool hw_old = false;
    qint32 HW_Ver_Nr = 0;         // old hardware only
    QString lampFrequency;        // the text of the actual-frequency field
    quint16 controller_state = 9; // 2: normal operation
    quint16 uac_ist_int = 0;      // raw mains reading of the last RAM read
};
// The calibration may go ahead when the log is empty. Old hardware: every condition is
// tested and each failure adds its lines (revision below 12, lamp frequency not 50 Hz, not
// in normal operation). New hardware: frequency, then state; only the first failure is
// logged. A raw reading of 0 is refused after that: the value computed from it would be 0,
// which the controller takes as no calibration at all.
QList<CalibrationLogLine> calibrationRefusal(const CalibrationConditions& c);

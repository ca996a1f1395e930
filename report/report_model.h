#pragma once
// The commissioning report as data: what the technician hands the client after putting a
// controller into service — who the controller is, how it is calibrated, the parameter set
// it holds, its clock, its fault memory and its live values at that moment — and the
// document it becomes in a language: sections of caption/value rows and the lines left for
// place, controller number and signature. Pure; the PDF writer only lays the document out.
#include "live/live_display.h"
#include "parameters/parameter_set.h"
#include "services/calibration.h"
#include "services/fault_ring.h"
#include "session/identify.h"
#include "text/info_table.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

struct CommissioningReport {
    QDateTime created;   // the PC's local time when the report was made
    QString toolVersion; // the service tool's version
    ControllerIdentity identity;
    // The calibration of this session, as its log lines; empty when none ran.
    QList<CalibrationLogLine> calibrationLog;
    // A fresh parameter read of the controller; nullopt when it was not read.
    std::optional<ParameterRead> parameters;
    // The live values of the last sound reading (the controller clock among them) and the
    // controller's operating state in that reading (controller_state).
    std::optional<LiveValues> live;
    std::optional<quint16> controllerState;
    // The controller clock against the PC's standard time, seconds ahead; nullopt when the
    // controller shows no valid time.
    std::optional<qint64> clockDrift;
    // The fault memory of this session's last read; nullopt when it was not read.
    std::optional<FaultList> faults;
    quint16 faultPosition = 0; // the write position reported with it
};

struct ReportRow {
    QString caption;
    QString value;
    bool operator==(const ReportRow&) const = default;
};

struct ReportSection {
    QString title;
    // Column headings over the rows; empty when the rows need none.
    QString captionHeading;
    QString valueHeading;
    QList<ReportRow> rows;
    // A remark under the rows (what the reader must know to read them); empty when none.
    QString note;
};

struct ReportDocument {
    QString title;
    QList<ReportSection> sections;
    QString signatureTitle;
    QStringList signatureLines; // each a caption followed by an empty line to write on
    QString pageText;           // the footer, %1 this page, %2 the pages
    // The section of that title; null when there is none.
    const ReportSection* section(const QString& title) const;
};

// The document in the language (German while none is active): captions of its own, worded
// for the client rather than the window's short labels, and numbers in that language's
// notation (a decimal point in English, a decimal comma in the others).
ReportDocument reportDocument(const CommissioningReport& report, std::optional<Language> language);

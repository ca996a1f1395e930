#include "report/report_model.h"

#include "base/formats.h"
#include "parameters/parameter_compare.h"
#include "services/clock_drift.h"
#include "services/identity.h"
#include "text/own_texts.h"
#include "text/report_texts.h"

namespace {

// Text-table rows the report borrows: the captions the window shows for the same value.
constexpr int kRowSwVersion = 54;
constexpr int kRowHwVersion = 109;
constexpr int kRowCalibration = 118;
constexpr int kRowUacStart = 124;
constexpr int kRowUacNominal = 125;
constexpr int kRowClockController = 12;
constexpr int kRowClockPc = 13;
constexpr int kRowWorkdayProfile = 34;
constexpr int kRowWeekendProfile = 42;
constexpr int kRowStartSettings = 90;
constexpr int kRowFaultMemory = 103;
constexpr int kRowFaultError = 106;
constexpr int kRowFaultDate = 107;
constexpr int kRowEnergySaving = 23;
constexpr int kRowActual = 25;
constexpr int kRowDcLink = 75;
constexpr int kRowActualHz = 76;
constexpr int kRowHeatSink1 = 77;
constexpr int kRowMainsVolts = 78;
constexpr int kRowNominalHz = 79;
constexpr int kRowHeatSink2 = 80;

class Writer {
public:
    explicit Writer(std::optional<Language> language) : language_(language) {}

    // A caption of the text table as a caption of the report: no blanks or colon at its end.
    QString row(int r) const {
        QString text = GetInfoString(language_, r).trimmed();
        while (text.endsWith(QLatin1Char(':')))
            text.chop(1);
        return capitalised(text.trimmed());
    }
    // The table's English captions are lower case, as on the window's small labels; in a
    // document each begins with a capital.
    QString capitalised(QString text) const {
        if (text.isEmpty() || !text[0].isLower())
            return text;
        text[0] = language_ == Language::Turkish && text[0] == QLatin1Char('i') ? QChar(0x0130)
                                                                                : text[0].toUpper();
        return text;
    }
    QString text(ReportText t) const { return reportText(language_, t); }
    std::optional<Language> language() const { return language_; }

private:
    std::optional<Language> language_;
};

QString dateTimeText(const QDateTime& when) {
    return when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

ReportSection general(const Writer& w, const CommissioningReport& r) {
    return {w.text(ReportText::General),
            {},
            {},
            {{w.text(ReportText::Created), dateTimeText(r.created)},
             {w.text(ReportText::ToolVersion), r.toolVersion}}};
}

ReportSection controller(const Writer& w, const ControllerIdentity& id) {
    ReportSection s{w.text(ReportText::Controller), {}, {}, {}};
    s.rows.append(
        ReportRow{w.text(ReportText::Generation),
                  w.text(id.hwOld ? ReportText::GenerationOld : ReportText::GenerationNew)});
    if (id.hwOld) {
        s.rows.append(ReportRow{w.row(kRowHwVersion), id.versionText.trimmed()});
        s.rows.append(ReportRow{w.text(ReportText::Revision), QString::number(id.revision)});
        return s;
    }
    s.rows.append(ReportRow{w.text(ReportText::ProductCode), id.productCode.trimmed()});
    s.rows.append(ReportRow{w.text(ReportText::Description), id.description.trimmed()});
    if (!id.softwareDate.trimmed().isEmpty())
        s.rows.append(ReportRow{w.text(ReportText::SoftwareDate), id.softwareDate.trimmed()});
    s.rows.append(ReportRow{w.row(kRowSwVersion), id.revisionString});
    s.rows.append(ReportRow{w.text(ReportText::DeviceNumber), QString::number(id.deviceNumber)});
    s.rows.append(ReportRow{w.row(kRowHwVersion), id.versionText.trimmed()});
    return s;
}

ReportSection calibration(const Writer& w, const CommissioningReport& r) {
    const ControllerIdentity& id = r.identity;
    ReportSection s{w.row(kRowCalibration), {}, {}, {}};
    const bool calibrated = id.kal_value230 != 0;
    s.rows.append(ReportRow{w.text(ReportText::CalibrationValue),
                            calibrated ? QString::number(id.kal_value230)
                                       : w.text(ReportText::NoCalibrationValue)});
    const auto setPoint = [&](int captionRow, quint16 raw) {
        s.rows.append(
            ReportRow{w.row(captionRow), w.text(ReportText::SetPointValue)
                                             .arg(measurementToVolts(raw, id.kal_value230))
                                             .arg(raw)});
    };
    setPoint(kRowUacStart, id.uac_start_int);
    setPoint(kRowUacNominal, id.uac_nenn_int);
    if (r.calibrationLog.isEmpty()) {
        s.rows.append(
            {w.text(ReportText::CalibrationLog), w.text(ReportText::NoCalibrationThisSession)});
        return s;
    }
    for (qsizetype i = 0; i < r.calibrationLog.size(); ++i) {
        // The window's log appends its number to the text as it stands; some languages'
        // texts end without a blank, which a document shows as one word.
        CalibrationLogLine line = r.calibrationLog[i];
        const std::optional<qint64> number = line.number;
        line.number.reset();
        QString text = w.capitalised(logLineText(w.language(), line).trimmed());
        if (number)
            text += QLatin1Char(' ') + QString::number(*number);
        s.rows.append(ReportRow{i == 0 ? w.text(ReportText::CalibrationLog) : QString(), text});
    }
    return s;
}

// The rows of the parameters given, each captioned as on the parameter page without the
// profile's own heading (the section's title holds it).
QList<ReportRow> parameterRows(const Writer& w, const ParameterSet& set,
                               const QList<ParameterId>& ids) {
    QList<ReportRow> rows;
    for (const ParameterId id : ids) {
        QStringList parts;
        const QList<int> captionRows = captionRowsOf(id);
        const bool grouped =
            id.field == ParameterField::ProfileTime || id.field == ParameterField::Takt;
        for (qsizetype i = grouped ? 1 : 0; i < captionRows.size(); ++i)
            parts.append(w.row(captionRows[i]));
        rows.append(ReportRow{parts.join(QStringLiteral(" – ")), parameterText(set, id)});
    }
    return rows;
}

ReportSection profile(const Writer& w, const CommissioningReport& r, int profileIndex) {
    ReportSection s{w.row(profileIndex == 0 ? kRowWorkdayProfile : kRowWeekendProfile), {}, {}, {}};
    if (!r.parameters) {
        s.rows.append(ReportRow{w.text(ReportText::NotRead), QString()});
        return s;
    }
    QList<ParameterId> ids;
    for (int period = 0; period < 3; ++period) {
        ids.append({ParameterField::ProfileTime, profileIndex * 4 + period});
        ids.append({ParameterField::Takt, profileIndex * 3 + period});
    }
    ids.append({ParameterField::ProfileTime, profileIndex * 4 + 3});
    s.rows = parameterRows(w, r.parameters->set, ids);
    return s;
}

ReportSection startSettings(const Writer& w, const CommissioningReport& r) {
    ReportSection s{w.row(kRowStartSettings), {}, {}, {}};
    if (!r.parameters) {
        s.rows.append(ReportRow{w.text(ReportText::NotRead), QString()});
        return s;
    }
    s.rows = parameterRows(w, r.parameters->set,
                           {{ParameterField::StartFrequency}, {ParameterField::BurnIn}});
    const QList<ParameterId> ramps{{ParameterField::Darken}, {ParameterField::Brighten}};
    if (r.parameters->hasRampTimes) {
        s.rows += parameterRows(w, r.parameters->set, ramps);
    } else {
        for (ReportRow& row : parameterRows(w, r.parameters->set, ramps))
            s.rows.append(ReportRow{row.caption, w.text(ReportText::NotStored)});
    }
    return s;
}

ReportSection clock(const Writer& w, const CommissioningReport& r) {
    ReportSection s{w.text(ReportText::ClockSection), {}, {}, {}};
    const bool valid = r.live && r.live->controllerClock.isValid();
    s.rows.append(ReportRow{w.row(kRowClockController), !r.live ? w.text(ReportText::NotRead)
                                                        : valid
                                                            ? dateTimeText(r.live->controllerClock)
                                                            : w.text(ReportText::NoValidTime)});
    s.rows.append(ReportRow{w.row(kRowClockPc), dateTimeText(r.created)});
    QString drift = QStringLiteral("–");
    if (r.clockDrift)
        drift = driftWorthSync(*r.clockDrift)
                    ? w.text(ReportText::ClockDriftWorthSync).arg(driftText(*r.clockDrift))
                    : driftText(*r.clockDrift);
    s.rows.append(ReportRow{w.text(ReportText::ClockDrift), drift});
    return s;
}

// The fault texts of a record, one per set bit, separated by commas.
QString faultsOf(const Writer& w, quint16 bits) {
    QStringList texts;
    const auto text = [&](int row) { return GetInfoString(w.language(), row).trimmed(); };
    for (int bit = 0; bit < 16; ++bit)
        if (const QString t = faultText(quint16(bits & (1U << bit)), text); !t.isEmpty())
            texts << t;
    return texts.join(QStringLiteral(", "));
}

ReportSection faults(const Writer& w, const CommissioningReport& r) {
    ReportSection s{w.row(kRowFaultMemory), {}, {}, {}};
    if (!r.faults) {
        s.rows.append(ReportRow{w.text(ReportText::NotRead), QString()});
        return s;
    }
    for (const FaultRow& row : r.faults->rows)
        if (row.bits != 0) // a record never written, or cleared
            s.rows.append(ReportRow{row.time, faultsOf(w, row.bits)});
    if (s.rows.isEmpty()) {
        s.rows.append(ReportRow{w.text(ReportText::NoFaultRecords), QString()});
    } else {
        s.captionHeading = w.row(kRowFaultDate);
        s.valueHeading = w.row(kRowFaultError);
    }
    if (r.faults->impossiblePosition)
        s.rows.append(
            ReportRow{ownText(w.language(), OwnText::FaultPositionImpossible).arg(r.faultPosition),
                      QString()});
    return s;
}

ReportSection live(const Writer& w, const CommissioningReport& r) {
    ReportSection s{w.text(ReportText::LiveValues), {}, {}, {}};
    if (!r.live) {
        s.rows.append(ReportRow{w.text(ReportText::NotRead), QString()});
        return s;
    }
    const LiveValues& v = *r.live;
    s.rows.append(ReportRow{w.row(kRowDcLink), formatF(v.dcLinkVolts, 0)});
    s.rows.append(ReportRow{w.row(kRowMainsVolts), formatF(v.mainsVolts, 0)});
    s.rows.append(ReportRow{w.row(kRowActualHz), formatF(v.actualHz, 0)});
    s.rows.append(ReportRow{w.row(kRowNominalHz), formatF(v.nominalHz, 0)});
    s.rows.append(ReportRow{w.row(kRowHeatSink1), formatF(v.heatSink1Celsius, 1)});
    if (v.heatSink2Celsius)
        s.rows.append(ReportRow{w.row(kRowHeatSink2), formatF(*v.heatSink2Celsius, 1)});
    s.rows.append(ReportRow{w.row(kRowEnergySaving) + QStringLiteral(" – ") + w.row(kRowActual),
                            formatF(v.savingPercent, 0)});
    return s;
}

} // namespace

const ReportSection* ReportDocument::section(const QString& wanted) const {
    for (const ReportSection& s : sections)
        if (s.title == wanted)
            return &s;
    return nullptr;
}

ReportDocument reportDocument(const CommissioningReport& report, std::optional<Language> language) {
    const Writer w(language);
    ReportDocument doc;
    doc.title = w.text(ReportText::Title);
    doc.sections = {general(w, report),     controller(w, report.identity),
                    calibration(w, report), profile(w, report, 0),
                    profile(w, report, 1),  startSettings(w, report),
                    clock(w, report),       faults(w, report),
                    live(w, report)};
    doc.signatureTitle = w.text(ReportText::Confirmation);
    doc.signatureLines = {w.text(ReportText::Place), w.text(ReportText::ControllerNumber),
                          w.text(ReportText::Signature)};
    doc.pageText = w.text(ReportText::Page);
    return doc;
}

#include "report/report_model.h"

#include "parameters/parameter_compare.h"
#include "services/clock_drift.h"
#include "services/identity.h"
#include "text/confirm_texts.h"
#include "text/own_texts.h"
#include "text/report_texts.h"

#include <QLocale>
#include <cmath>
#include <functional>
#include <utility>

namespace {

// The number conventions of each language's country: a decimal point in English, a
// decimal comma in the others.
QLocale localeOf(Language language) {
    switch (language) {
    case Language::English:
        return QLocale(QLocale::English, QLocale::UnitedKingdom);
    case Language::German:
        return QLocale(QLocale::German, QLocale::Germany);
    case Language::Swedish:
        return QLocale(QLocale::Swedish, QLocale::Sweden);
    case Language::French:
        return QLocale(QLocale::French, QLocale::France);
    case Language::Turkish:
        return QLocale(QLocale::Turkish, QLocale::Turkey);
    }
    return QLocale::c();
}

class Writer {
public:
    explicit Writer(std::optional<Language> language)
        : language_(language), locale_(localeOf(language.value_or(Language::German))) {}

    // The first letter a capital, for the window's lower-case log lines in a document.
    QString capitalised(QString text) const {
        if (text.isEmpty() || !text[0].isLower())
            return text;
        text[0] = language_ == Language::Turkish && text[0] == QLatin1Char('i') ? QChar(0x0130)
                                                                                : text[0].toUpper();
        return text;
    }
    QString text(ReportText t) const { return reportText(language_, t); }
    std::optional<Language> language() const { return language_; }

    // A value with `decimals` decimals in the language's notation; never "-0".
    QString number(double value, int decimals) const {
        if (std::round(value * std::pow(10.0, decimals)) == 0)
            value = 0;
        return locale_.toString(value, 'f', decimals);
    }
    // A value followed by its unit ("229 V", "31,5 °C").
    QString withUnit(double value, int decimals, const char* unit) const {
        return number(value, decimals) + QLatin1Char(' ') + QString::fromUtf8(unit);
    }

private:
    std::optional<Language> language_;
    QLocale locale_;
};

QString dateTimeText(const QDateTime& when) {
    return when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// "0x" and four upper-case hex digits, as the program shows hex values.
QString hex4(quint16 value) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

ReportSection general(const Writer& w, const CommissioningReport& r) {
    return {w.text(ReportText::General),
            {},
            {},
            {{w.text(ReportText::Created), dateTimeText(r.created)},
             {w.text(ReportText::ToolVersion), r.toolVersion}},
            {}};
}

// The identity words under what they are. Old hardware names itself by its version text
// and the revision in it. New hardware: the product code, the software date (kept in the
// description words by firmware without the newer identity block) and the four numbers
// of the software, Rev_Str's parts; the status line's version text only repeats them.
ReportSection controller(const Writer& w, const ControllerIdentity& id) {
    ReportSection s{w.text(ReportText::Controller), {}, {}, {}, {}};
    s.rows.append(
        ReportRow{w.text(ReportText::Generation),
                  w.text(id.hwOld ? ReportText::GenerationOld : ReportText::GenerationNew)});
    if (id.hwOld) {
        s.rows.append(ReportRow{w.text(ReportText::HardwareVersion), id.versionText.trimmed()});
        s.rows.append(
            ReportRow{w.text(ReportText::HardwareRevision), QString::number(id.revision)});
        return s;
    }
    const QString productCode = id.productCode.trimmed();
    const QString productCodeNew = id.productCodeNew.trimmed();
    const QString softwareDate = id.softwareDate.trimmed();
    const QString descriptionWords = id.description.trimmed();
    const bool newerBlock = !softwareDate.isEmpty();
    s.rows.append(ReportRow{w.text(ReportText::ProductCode), productCode});
    if (newerBlock && !productCodeNew.isEmpty() && productCodeNew != productCode)
        s.rows.append(ReportRow{w.text(ReportText::ProductCodeNewerBlock), productCodeNew});
    if (newerBlock) {
        s.rows.append(ReportRow{w.text(ReportText::SoftwareDate), softwareDate});
        if (!descriptionWords.isEmpty())
            s.rows.append(ReportRow{w.text(ReportText::SoftwareDateOlderBlock), descriptionWords});
    } else {
        s.rows.append(ReportRow{w.text(ReportText::SoftwareDate), descriptionWords});
    }
    s.rows.append(
        ReportRow{w.text(ReportText::SoftwareNumber), QString::number(id.softwareNumber)});
    s.rows.append(ReportRow{w.text(ReportText::VersionType),
                            id.versionType == 9
                                ? w.text(ReportText::VersionTypeTraining).arg(id.versionType)
                                : QString::number(id.versionType)});
    s.rows.append(ReportRow{w.text(ReportText::OptionBits),
                            (id.optionBits & 1U)
                                ? w.text(ReportText::OptionBitsOneHeatSink).arg(hex4(id.optionBits))
                                : hex4(id.optionBits)});
    s.rows.append(ReportRow{w.text(ReportText::DevelopmentNumber),
                            w.text(id.developmentNumber == 0 ? ReportText::DevelopmentRelease
                                                             : ReportText::DevelopmentTestVersion)
                                .arg(id.developmentNumber)});
    return s;
}

ReportSection calibration(const Writer& w, const CommissioningReport& r) {
    const ControllerIdentity& id = r.identity;
    ReportSection s{w.text(ReportText::CalibrationSection), {}, {}, {}, {}};
    const bool calibrated = id.kal_value230 != 0;
    s.rows.append(ReportRow{w.text(ReportText::CalibrationValue),
                            calibrated ? QString::number(id.kal_value230)
                                       : w.text(ReportText::NoCalibrationValue)});
    const auto setPoint = [&](ReportText caption, quint16 raw) {
        s.rows.append(ReportRow{w.text(caption), w.text(ReportText::SetPointValue)
                                                     .arg(measurementToVolts(raw, id.kal_value230))
                                                     .arg(raw)});
    };
    setPoint(ReportText::UacStart, id.uac_start_int);
    setPoint(ReportText::UacNominal, id.uac_nenn_int);
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

ReportSection notRead(const Writer& w, ReportText title) {
    return {w.text(title), {}, {}, {ReportRow{w.text(ReportText::NotRead), QString()}}, {}};
}

// The parameter's value as the report shows it (format takes its text, "%1 Hz" and the
// like), or "not plausible" for a word the controller cannot hold.
QString readValue(const Writer& w, const CommissioningReport& r, ParameterId id,
                  const std::function<QString(const QString&)>& format) {
    if (limitedOnRead(*r.parameters, r.identity.hwOld, id))
        return confirmText(w.language(), ConfirmText::NotPlausible);
    const QString text = parameterText(r.parameters->set, id);
    return format ? format(text) : text;
}

ReportSection profile(const Writer& w, const CommissioningReport& r, int profileIndex) {
    const ReportText title =
        profileIndex == 0 ? ReportText::WorkdayProfile : ReportText::WeekendProfile;
    if (!r.parameters)
        return notRead(w, title);
    ReportSection s{w.text(title), {}, {}, {}, {}};
    for (int period = 0; period < 3; ++period) {
        const ParameterId start{ParameterField::ProfileTime, profileIndex * 4 + period};
        const ParameterId saving{ParameterField::Takt, profileIndex * 3 + period};
        s.rows.append(
            ReportRow{w.text(ReportText::PeriodStart).arg(period + 1), readValue(w, r, start, {})});
        s.rows.append(ReportRow{w.text(ReportText::PeriodSaving).arg(period + 1),
                                readValue(w, r, saving, [&](const QString& text) {
                                    return w.text(ReportText::Percent).arg(text);
                                })});
    }
    s.rows.append(
        ReportRow{w.text(ReportText::DimmingEnd),
                  readValue(w, r, {ParameterField::ProfileTime, profileIndex * 4 + 3}, {})});
    return s;
}

ReportSection startSettings(const Writer& w, const CommissioningReport& r) {
    if (!r.parameters)
        return notRead(w, ReportText::StartSettings);
    ReportSection s{w.text(ReportText::StartSettings), {}, {}, {}, {}};
    const ParameterSet& set = r.parameters->set;
    s.rows.append(
        ReportRow{w.text(ReportText::StartFrequency),
                  readValue(w, r, {ParameterField::StartFrequency},
                            [](const QString& text) { return text + QStringLiteral(" Hz"); })});
    s.rows.append(ReportRow{w.text(ReportText::BurnInTime),
                            readValue(w, r, {ParameterField::BurnIn}, [&](const QString& text) {
                                return w.text(ReportText::Minutes).arg(text);
                            })});
    const auto ramp = [&](ReportText caption, ParameterField field) {
        s.rows.append(
            ReportRow{w.text(caption), r.parameters->hasRampTimes
                                           ? parameterText(set, {field}) + QStringLiteral(" s")
                                           : w.text(ReportText::NotStored)});
    };
    ramp(ReportText::DarkenTime, ParameterField::Darken);
    ramp(ReportText::BrightenTime, ParameterField::Brighten);
    return s;
}

ReportSection clock(const Writer& w, const CommissioningReport& r) {
    ReportSection s{w.text(ReportText::ClockSection), {}, {}, {}, {}};
    const bool valid = r.live && r.live->controllerClock.isValid();
    s.rows.append(ReportRow{w.text(ReportText::ControllerTime),
                            !r.live ? w.text(ReportText::NotRead)
                            : valid ? dateTimeText(r.live->controllerClock)
                                    : w.text(ReportText::NoValidTime)});
    s.rows.append(ReportRow{w.text(ReportText::PcTime), dateTimeText(r.created)});
    QString drift = QStringLiteral("–");
    if (r.clockDrift)
        drift = driftWorthSync(*r.clockDrift)
                    ? w.text(ReportText::ClockDriftWorthSync).arg(driftText(*r.clockDrift))
                    : driftText(*r.clockDrift);
    s.rows.append(ReportRow{w.text(ReportText::ClockDrift), drift});
    return s;
}

// The report's name of a fault whose text the window takes from a row of the text table.
QString faultName(const Writer& w, int row) {
    static constexpr std::pair<int, ReportText> kNames[] = {
        {28, ReportText::FaultDcLinkOvervoltage},
        {29, ReportText::FaultOvertemperature},
        {31, ReportText::FaultEarth},
        {32, ReportText::FaultStart},
        {33, ReportText::FaultPermanent},
        {111, ReportText::FaultUndervoltage},
        {169, ReportText::FaultConcept},
        {170, ReportText::FaultIz},
        {171, ReportText::FaultShortCircuitAc},
        {172, ReportText::FaultChopper},
        {173, ReportText::FaultOverload},
        {174, ReportText::FaultOvertemperatureHeatSink1},
        {175, ReportText::FaultOvertemperatureHeatSink2},
    };
    for (const auto& [r, name] : kNames)
        if (r == row)
            return w.text(name);
    return GetInfoString(w.language(), row).trimmed();
}

// The fault names of a record, one per set bit, separated by commas.
QString faultsOf(const Writer& w, quint16 bits) {
    QStringList texts;
    const auto text = [&](int row) { return faultName(w, row); };
    for (int bit = 0; bit < 16; ++bit)
        if (const QString t = faultText(quint16(bits & (1U << bit)), text); !t.isEmpty())
            texts << t;
    return texts.join(QStringLiteral(", "));
}

ReportSection faults(const Writer& w, const CommissioningReport& r) {
    if (!r.faults)
        return notRead(w, ReportText::FaultSection);
    ReportSection s{w.text(ReportText::FaultSection), {}, {}, {}, {}};
    for (const FaultRow& row : r.faults->rows)
        if (row.bits != 0) // a record never written, or cleared
            s.rows.append(ReportRow{row.time, faultsOf(w, row.bits)});
    if (s.rows.isEmpty()) {
        s.rows.append(ReportRow{w.text(ReportText::NoFaultRecords), QString()});
    } else {
        s.captionHeading = w.text(ReportText::FaultTime);
        s.valueHeading = w.text(ReportText::FaultText);
        s.note = w.text(ReportText::NoYearNote);
    }
    if (r.faults->impossiblePosition)
        s.rows.append(
            ReportRow{ownText(w.language(), OwnText::FaultPositionImpossible).arg(r.faultPosition),
                      QString()});
    return s;
}

// The operating state as the state bars show it: the panel a state lights.
QString stateText(const Writer& w, quint16 state) {
    static constexpr ReportText kPanels[] = {
        ReportText::StateStart,          ReportText::StateRunUp, ReportText::StateNormal,
        ReportText::StatePowerReduction, ReportText::StateError, ReportText::StateStandby};
    const int panel = statePanel(state);
    if (panel < 0 || panel >= int(std::size(kPanels)))
        return w.text(ReportText::StateOther).arg(state);
    return w.text(kPanels[panel]);
}

// Before normal operation — the states of the first two panels, start and run-up — the
// voltages and the lamp frequency are those of the run-up, no measurement of the
// installation.
bool beforeNormalOperation(quint16 state) {
    const int panel = statePanel(state);
    return panel == 0 || panel == 1;
}

ReportSection live(const Writer& w, const CommissioningReport& r) {
    if (!r.live)
        return notRead(w, ReportText::LiveValues);
    ReportSection s{w.text(ReportText::LiveValues), {}, {}, {}, {}};
    const LiveValues& v = *r.live;
    const bool early = r.controllerState && beforeNormalOperation(*r.controllerState);
    const auto measured = [&](const QString& value) {
        return early ? w.text(ReportText::BeforeNormalOperation).arg(value) : value;
    };
    if (r.controllerState)
        s.rows.append(
            ReportRow{w.text(ReportText::OperatingState), stateText(w, *r.controllerState)});
    s.rows.append(
        ReportRow{w.text(ReportText::DcLinkVoltage), measured(w.withUnit(v.dcLinkVolts, 0, "V"))});
    s.rows.append(
        ReportRow{w.text(ReportText::MainsVoltage), measured(w.withUnit(v.mainsVolts, 0, "V"))});
    s.rows.append(
        ReportRow{w.text(ReportText::ActualFrequency), measured(w.withUnit(v.actualHz, 0, "Hz"))});
    s.rows.append(
        ReportRow{w.text(ReportText::NominalFrequency), w.withUnit(v.nominalHz, 0, "Hz")});
    s.rows.append(
        ReportRow{w.text(ReportText::HeatSink1), w.withUnit(v.heatSink1Celsius, 1, "°C")});
    if (v.heatSink2Celsius)
        s.rows.append(
            ReportRow{w.text(ReportText::HeatSink2), w.withUnit(*v.heatSink2Celsius, 1, "°C")});
    s.rows.append(ReportRow{w.text(ReportText::EnergySaving),
                            w.text(ReportText::Percent).arg(w.number(v.savingPercent, 0))});
    if (early)
        s.note = w.text(ReportText::BeforeNormalOperationNote);
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

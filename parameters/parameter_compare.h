#pragma once
// What a parameter write would change: two parameter sets side by side, parameter by
// parameter, as the fields show them. Only what the write sends is compared (the ramp
// times only when they go with it); the start frequency and the burn-in are compared as
// the words the controller stores, so a field's rounding never counts as a difference.
// Used by the read-back after a write and by the comparison with the controller.
#include "parameters/parameter_file.h"
#include "parameters/parameter_set.h"
#include "parameters/write_fields.h"
#include "text/info_table.h"

#include <QList>
#include <QString>
#include <optional>

// A parameter of the write, by what it is; stable across languages.
enum class ParameterField { ProfileTime, Takt, StartFrequency, BurnIn, Darken, Brighten };
struct ParameterId {
    ParameterField field = ParameterField::ProfileTime;
    // ProfileTime: the picker (0..7, workday 1, 2, 3, end, then the weekend's);
    // Takt: the period (0..5, workday 1, 2, 3, weekend 1, 2, 3).
    int index = 0;
    bool operator==(const ParameterId&) const = default;
};

// The parameters a write sends, in the order of the page.
QList<ParameterId> writtenParameters(bool withRampTimes);

// The text-table rows of the caption a technician knows the parameter by, outermost first
// (the profile's group, its period, the column).
QList<int> captionRowsOf(ParameterId id);
// Those rows in the language, joined with " – ".
QString parameterCaption(std::optional<Language> language, ParameterId id);

// The word the controller stores for the parameter (a takt as its byte, a ramp time as
// its count of 25 s).
quint16 parameterWord(const ParameterSet& set, ParameterId id);
// The value as its field shows it: a time as HH:mm, a takt as the saving in whole
// percent, the start frequency in Hz, the burn-in in minutes, a ramp time in seconds.
QString parameterText(const ParameterSet& set, ParameterId id);

struct ParameterRow {
    ParameterId id;
    QString ours;   // the fields', the file's or what was written
    QString theirs; // the controller's
    bool differs = false;
};

// Every parameter the write sends, with both values. Where two different words show the
// same text (a start-frequency takt of 167 and 166 both show 60 Hz), each text gets its
// word in brackets, so a marked row always shows what differs.
QList<ParameterRow> compareParameterSets(const ParameterSet& ours, const ParameterSet& theirs,
                                         bool withRampTimes);
// Whether the controller's word for the parameter was limited when it was read: a value
// the controller cannot hold, never to be shown as its value.
bool limitedOnRead(const ParameterRead& read, bool hwOld, ParameterId id);
// Rows whose controller word was limited say "not plausible" in its place and count as
// differing where there is a value of ours beside it.
void markImplausible(QList<ParameterRow>& rows, const ParameterRead& read, bool hwOld,
                     std::optional<Language> language);

// Only the rows that differ.
QList<ParameterRow> differingParameters(const ParameterSet& ours, const ParameterSet& theirs,
                                        bool withRampTimes);

// The message after a read-back that did not find what was written: the heading, then
// one line per differing row, its caption, written (ours) and read back (theirs).
QString verifyFailedMessage(std::optional<Language> language, const QList<ParameterRow>& rows);

// The parameter of the field that refused a write.
ParameterId parameterOf(const FieldRefusal& refusal);

// What the fields would hold once the file were loaded, for the write's conversion.
ParameterFields fieldsOfParameterFile(const LoadedParameters& loaded);

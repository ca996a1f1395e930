#pragma once
// The parameter write's words from the texts of the fields, as they stand when the write
// runs. A field whose text is not a number, or whose word would not fit the controller's
// word (or byte, for a takt), refuses the whole write: nothing is ever sent truncated or
// wrapped.
#include "parameters/parameter_set.h"

#include <QString>
#include <QTime>
#include <array>
#include <variant>

struct ParameterFields {
    std::array<QTime, 8> profileTimes; // the pickers, in picker order
    std::array<QString, 6> takts;      // the hidden takt labels
    QString startHz;                   // takt_burn_visu
    QString burnInMinutes;             // time_burn_visu
    QString darkenSeconds;             // Edit6
    QString brightenSeconds;           // Edit10
};

// Which field refused the write.
enum class RefusedField { Takt, StartFrequency, BurnIn, Darken, Brighten };
struct FieldRefusal {
    RefusedField field;
    int index = 0; // the period (0..5) of a takt
    QString text;  // what the field holds
};

// The ramp times go with a write only at a service access level (passw_level above 0) and,
// on old hardware, from revision 14 on, which first stores them.
bool rampTimesAllowed(int passwLevel, bool hwOld, qint32 hwVerNr);

// hour × 256 + minute of a picker's time.
quint16 profileWord(QTime time);

// The set to write. The ramp texts are converted only when the ramp times are written.
std::variant<ParameterSet, FieldRefusal> parameterSetFromFields(const ParameterFields& fields,
                                                                bool withRampTimes);

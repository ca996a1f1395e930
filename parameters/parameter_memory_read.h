#pragma once
// What the controller keeps over a power cut. The read-back after a write and the
// comparison read the parameter memory on both generations: the old hardware's read button
// takes the profile times, takts, start frequency and burn-in from their RAM mirror, so a
// write whose memory slots failed would compare as sound. Its memory telegram reads both,
// and where the two differ both are shown.
#include "parameters/parameter_compare.h"
#include "parameters/parameter_set.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// Items of the old hardware's memory telegram: the read button's 33, then the profile
// times, takts, start frequency and burn-in from parameter memory.
constexpr int kOldParameterMemorySlots = 46;

struct ParameterMemoryRead {
    // The parameters as parameter memory holds them (new hardware: the read button's read);
    // its violations name every word that was limited, the RAM mirror's too.
    ParameterRead memory;
    // Old hardware: the working copy in RAM, as the read button reads it.
    std::optional<ParameterSet> ram;
};

// The answer of buildParameterMemoryRead; nullopt when it holds fewer items than it should.
std::optional<ParameterMemoryRead> decodeParameterMemoryRead(bool hw_old, QByteArrayView answer,
                                                             qint32 hwVerNr);

// Every parameter the write sends: ours beside the controller's memory. Where the RAM
// holds another value, the controller's side names both ("memory 22:00, RAM 21:00") and
// the row is marked; `ram` holds the RAM's value for such a row, empty for the others.
struct ControllerRows {
    QList<ParameterRow> rows;
    QStringList ram;
};
ControllerRows compareWithController(std::optional<Language> language, const ParameterSet& ours,
                                     const ParameterMemoryRead& read, bool withRampTimes);
// Only the marked rows: the read-back's differences.
ControllerRows differingFromController(std::optional<Language> language,
                                       const ParameterSet& written, const ParameterMemoryRead& read,
                                       bool withRampTimes);

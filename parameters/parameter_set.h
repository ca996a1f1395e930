#pragma once
// The controller's parameter set as plain values, independent of the window: the two
// night profiles, the takt of each dimming period, the start frequency, the burn-in time
// and the ramp times. Decoded from the parameter read's answer of either generation and
// encoded into the words of the parameter write; the window only moves it between its
// fields and the telegrams, and parameter files reuse it.
#include "live/live_display.h"
#include "protocol/requests.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

struct ParameterSet {
    // hour × 256 + minute, in picker order: workday periods 1, 2, 3 and dimming end, then
    // the weekend's.
    std::array<quint16, 8> profileTimes{};
    // Lamp-frequency period of each dimming period: workday 1, 2, 3, weekend 1, 2, 3.
    std::array<quint16, 6> takts{};
    quint16 startTakt = 0;     // start frequency as takt (10000 / Hz)
    quint16 burnInSeconds = 0; // burn-in time
    quint16 rampWord = 0;      // low byte: darken / 25 s, high byte: brighten / 25 s
};

// The three words that carry the six takt bytes, two per word (the first period of each
// pair in the low byte). Nullopt when a takt does not fit a byte.
std::optional<std::array<quint16, 3>> taktWords(const std::array<quint16, 6>& takts);

// One slot of the new-hardware answer, as the parameter grid shows it.
struct EepWord {
    quint16 address; // as echoed
    quint16 value;
};

constexpr int kNewParameterSlots = 49;
constexpr int kOldParameterSlots = 33;

// What a parameter read brings: the set, the saving each period shows, and what else the
// answer holds.
struct ParameterRead {
    ParameterSet set;
    std::array<float, 6> savings{};       // percent, shown with 0 decimals
    bool hasRampTimes = true;             // old hardware before revision 14 does not store them
    std::optional<quint16> uac_start_int; // old hardware only
    std::optional<quint16> uac_nenn_int;
    QList<EepWord> words;             // new hardware only: the 49 slots
    QList<RangeViolation> violations; // words limited to their range ("Com-Error !")
    // Words the window takes over as they are although the controller cannot hold them
    // (the new hardware's burn-in outside 180..900 s): shown as read, but never handed on
    // as the controller's value.
    QList<RangeViolation> unheld;
};

// Every word of a read that is no value of the controller's: the limited and the unheld.
QList<RangeViolation> implausibleWords(const ParameterRead& read);

// New hardware: 49 slots of 5 bytes. The controller's words are taken over; a takt byte
// outside 50..200, an hour above 23, a minute above 59 or a start-frequency takt outside
// 100..200 (0 among them) is limited as the old hardware's words are, and reported.
ParameterRead decodeNewParameterRead(const quint8* answer);
// The same from an answer of the length the link received; nullopt when it holds fewer
// than the 49 slots.
std::optional<ParameterRead> decodeNewParameterRead(QByteArrayView answer);

// Old hardware: 33 slots of 4 bytes; profile times, takts, start frequency and burn-in
// come from the RAM mirror. The ramp times count only from revision 14 on.
ParameterRead decodeOldParameterRead(const quint8* answer, qint32 hwVerNr);
// The same from an answer of the length the link received; nullopt when it holds fewer
// than the 33 slots.
std::optional<ParameterRead> decodeOldParameterRead(QByteArrayView answer, qint32 hwVerNr);

// The write items of the parameter write, in telegram order: request word, the eight
// profile times, three takt words, start frequency and burn-in into RAM, the same into
// parameter memory, the request word again, then the ramp times into RAM and memory when
// they may be written. Nullopt when a takt does not fit its byte: nothing may be sent
// wrapped.
std::optional<QList<WriteItem>> dataWriteItems(bool hw_old, const ParameterSet& set,
                                               bool withRampTimes);

#pragma once
// A read confirmed by repetition. The data bytes of a word read carry no check on the
// line: the link checks only the echo and acknowledge bytes, so one corrupted data byte
// would be taken as the controller's value. A read whose values are kept, written back or
// handed on is therefore sent again right after the first: its values count only when
// two answers agree byte for byte. Two that differ call for a third, which decides when
// it equals either; three that all differ mean the line corrupts data, and nothing of the
// read counts.
#include <QByteArray>
#include <QList>

class ReadConfirmation {
public:
    enum class Verdict {
        NeedAnother, // send the same telegram once more
        Confirmed,   // two answers agree: confirmed() holds them
        Corrupted,   // three answers, no two alike: the read fails
    };

    // At most this many answers are asked for one read.
    static constexpr int kMostAnswers = 3;

    // Takes the next answer (as far as the link received it) and says what follows.
    Verdict add(const QByteArray& answer);
    // The answer two reads agreed on; empty before the verdict Confirmed.
    const QByteArray& confirmed() const { return confirmed_; }
    int answers() const { return int(answers_.size()); }
    // Begins a new read.
    void reset();

private:
    QList<QByteArray> answers_;
    QByteArray confirmed_;
};

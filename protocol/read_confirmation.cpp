#include "protocol/read_confirmation.h"

ReadConfirmation::Verdict ReadConfirmation::add(const QByteArray& answer) {
    if (!confirmed_.isEmpty() || answers_.size() >= kMostAnswers)
        reset(); // a read that had its verdict: this answer begins the next one
    for (const QByteArray& earlier : answers_) {
        if (earlier == answer) {
            confirmed_ = answer;
            answers_.append(answer);
            return Verdict::Confirmed;
        }
    }
    answers_.append(answer);
    return answers_.size() < kMostAnswers ? Verdict::NeedAnother : Verdict::Corrupted;
}

void ReadConfirmation::reset() {
    answers_.clear();
    confirmed_.clear();
}

#pragma once
// The question the write asks before it sends values the controller never held (the
// start-up values, or a set read from the controller of an earlier connection), in the
// five languages of the text table. Kept beside the table and never numbered as its rows.
#include "base/message_sink.h"
#include "text/info_table.h"

#include <optional>

enum class WriteQuestionText {
    Question,
    Proceed, // the answer that writes
    Cancel,  // the answer that sends nothing
};

// The text in the active language; German, the design language, while none is active.
QString writeQuestionText(std::optional<Language> active, WriteQuestionText text);

// The whole question, with both answers, in the active language.
Question writeQuestion(std::optional<Language> active);

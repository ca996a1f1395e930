#pragma once
// The texts of confirmed reads (a read sent again and counted when two answers agree) and
// of values a controller cannot hold, in the five languages of the text table. Kept beside
// the table and never numbered as its rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class ConfirmText {
    // Tools menu: the checkable item, on by default.
    ConfirmReadsItem,
    // The error step's message after three answers of one read that all differ.
    LineCorruptedData,
    // The status line's diagnosis and the trace's result of such a read.
    DiagnosisCorrupted,
    ResultCorrupted,
    // In the comparison and the report: a word the controller cannot hold, in place of
    // its value.
    NotPlausible,
};

// The text in the active language; German, the design language, while none is active.
QString confirmText(std::optional<Language> active, ConfirmText text);

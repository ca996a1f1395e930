#pragma once
// The texts of the read-back after a write and of the comparison with the controller, in
// the five languages of the text table. Kept beside the table and never numbered as its
// rows.
#include "text/info_table.h"

#include <QString>
#include <optional>

enum class VerifyText {
    // Tools menu: the checkable item, on by default.
    VerifyAfterWriteItem,
    // Status line's message panel after a read-back that found what was written.
    WrittenAndVerified,
    // The message after a read-back that did not: the heading, then one line per
    // parameter. %1: the field (its caption), %2: written, %3: read back.
    VerifyFailed,
    VerifyDifference,
    // Tools menu item and the window it opens.
    CompareItem,
    CompareTitle,
    ColumnParameter,
    ColumnController,
    ColumnFields,
    ColumnFile,
    CompareWith,
    SourceFields,
    SourceFile,
    ChooseFile,
    NoDifferences,
    // %1: how many.
    Differences,
    // %1: the field (its caption), %2: what it holds.
    FieldNotComparable,
    Close,
    // %1: the settings file, %2: the system's reason.
    SettingNotSaved,
};

// The text in the active language; German, the design language, while none is active.
QString verifyText(std::optional<Language> active, VerifyText text);

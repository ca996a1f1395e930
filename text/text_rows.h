#pragma once
// The rows of our own text tables (kept beside the 176-row table, never in it): an id and
// its text in each language, in the table's language order, and the lookup they share.
#include "text/info_table.h"

#include <QString>
#include <array>
#include <cstddef>
#include <optional>

template <typename Id> struct TextRow {
    Id id;
    std::array<const char*, kInfoLanguageCount> cells; // English, German, Swedish, French, Turkish
};

// The text of `id` in the active language; German, the window's own, before one is chosen.
template <typename Id, std::size_t N>
QString textOfRow(const TextRow<Id> (&rows)[N], std::optional<Language> active, Id id) {
    const Language language = active.value_or(Language::German);
    for (const TextRow<Id>& row : rows)
        if (row.id == id)
            return QString::fromUtf8(row.cells[std::size_t(language)]);
    return {};
}

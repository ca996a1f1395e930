#pragma once
// Service access: which password opens which pages. The passwords themselves are not in
// the program, only their SHA-256 digests, so a look at the binary's strings gives none
// of them away; an entry is compared exactly, case and all.
#include <QString>
#include <optional>

enum class AccessLevel { None, Service, Calibration, Full };

// The level an entry of the password dialog opens; None for anything else (a wrong
// entry, the dialog's pre-filled word, an empty entry).
AccessLevel accessLevelOf(const QString& entry);

// passw_level of a level: 0 none, 1 service, 2 calibration and full.
int passwLevelOf(AccessLevel level);

// What an accepted level does to the pages beyond the service page. Each entry is
// "show", "hide" or no value for "leave as it is".
struct AccessView {
    std::optional<bool> calibrationTab;     // TabSheet3
    std::optional<bool> measurementTab;     // TabSheet4
    std::optional<bool> parameterMemoryTab; // TabSheet5
    std::optional<bool> lightControlTab;    // TabSheet6
    bool limitsGroup = false;               // Grenzw_cont on the calibration page
};
// The view of an accepted level; None has no view (nothing changes but the return to the
// first page).
std::optional<AccessView> accessViewOf(AccessLevel level);

#pragma once
// The rules of the parameter page's editing: the order of a night profile and the step of a
// period's takt. Pure; the window applies the results to its pickers and labels.
#include <QTime>
#include <QtGlobal>
#include <array>
#include <optional>

// Position of a time within one night, from 12:00 (0) to 11:59 the next morning: the
// time of day shifted by twelve hours, in minutes.
int nightOrderKey(QTime time);

// A profile's four pickers: period 1, 2, 3 start and dimming end.
struct ProfileCheck {
    bool inOrder = true;       // the four times follow each other (equal allowed)
    std::array<bool, 4> red{}; // pickers to colour red; the others keep their colour
};
// sender: the index (0..3) of the picker the user changed, if it is one of these. Of an
// adjacent pair out of order the sender is coloured when it is the pair's first picker,
// otherwise the pair's second.
ProfileCheck checkProfile(const std::array<QTime, 4>& times, std::optional<int> sender);

// One click of a period's up-down: up lowers the takt by 2 (a faster lamp, more saving)
// while it is 101 or more, down raises it by 2 while it is 199 or less.
int stepTakt(int takt, bool up);

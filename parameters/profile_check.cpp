#include "parameters/profile_check.h"

int nightOrderKey(QTime time) {
    constexpr int kDay = 24 * 60;
    const int minutes = time.hour() * 60 + time.minute();
    return (minutes + kDay / 2) % kDay;
}

ProfileCheck checkProfile(const std::array<QTime, 4>& times, std::optional<int> sender) {
    ProfileCheck check;
    for (int first = 0; first < 3; ++first) {
        const int second = first + 1;
        if (nightOrderKey(times[std::size_t(first)]) <= nightOrderKey(times[std::size_t(second)]))
            continue;
        check.inOrder = false;
        check.red[std::size_t(sender == first ? first : second)] = true;
    }
    return check;
}

int stepTakt(int takt, bool up) {
    if (up)
        return takt >= 101 ? takt - 2 : takt;
    return takt <= 199 ? takt + 2 : takt;
}

#include "base/access_levels.h"

#include <QCryptographicHash>
#include <QLatin1StringView>

namespace {

struct Digest {
    QLatin1StringView sha256; // lower-case hex of the UTF-8 entry
    AccessLevel level;
};

constexpr Digest kDigests[] = {
    {QLatin1StringView("e301c3fbf4b89c8097c43f23bd6695dee4b3107c98584a497b69f4ecf1846952"),
     AccessLevel::Service},
    {QLatin1StringView("6d4e68f2de399293c256021fa89eb1188927b1b7153d8a49fbf014931630ed7c"),
     AccessLevel::Calibration},
    {QLatin1StringView("d5525f057107da054f8fd6a5a31a6d0ab20f083ecc5864bf31ae6fb28052467b"),
     AccessLevel::Full},
};

} // namespace

AccessLevel accessLevelOf(const QString& entry) {
    const QByteArray digest =
        QCryptographicHash::hash(entry.toUtf8(), QCryptographicHash::Sha256).toHex();
    for (const Digest& known : kDigests)
        if (QLatin1StringView(digest) == known.sha256)
            return known.level;
    return AccessLevel::None;
}

int passwLevelOf(AccessLevel level) {
    switch (level) {
    case AccessLevel::None:
        return 0;
    case AccessLevel::Service:
        return 1;
    case AccessLevel::Calibration:
    case AccessLevel::Full:
        return 2;
    }
    return 0;
}

std::optional<AccessView> accessViewOf(AccessLevel level) {
    switch (level) {
    case AccessLevel::None:
        return std::nullopt;
    case AccessLevel::Service:
        return AccessView{};
    case AccessLevel::Calibration:
        // The light-control tab is hidden outright here, even though it is hidden already
        // at start: the calibration level never shows it.
        return AccessView{true, true, std::nullopt, false, false};
    case AccessLevel::Full:
        return AccessView{true, true, true, true, true};
    }
    return std::nullopt;
}

#include "services/identity.h"

#include "protocol/telegram.h"
#include "services/calibration.h"

#include <algorithm>

bool isOldHardware(quint8 answer0, quint8 answer1) {
    return !(answer0 == 0x63 && answer1 == 0x4D);
}

QString identityText(bool hw_old, const quint8* answer, int firstItem, int words) {
    QString text;
    text.reserve(2 * words);
    for (int k = firstItem; k < firstItem + words; ++k) {
        const quint16 w = readItemWord(hw_old, answer, k);
        text.append(QChar(ushort(w & 0xFF)));
        text.append(QChar(ushort(w >> 8)));
    }
    return text;
}

QString cutAt(const QString& text, QChar stop) {
    const qsizetype at = text.indexOf(stop);
    return at < 0 ? text : text.left(at);
}

qint32 revisionFromVersionText(const QString& versionText) {
    const QString digits = versionText.mid(11, 2);
    if (digits.size() != 2 ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return 0;
    return digits.toInt();
}

quint16 calibrationValue(quint16 word) {
    return (word == 0 || word == 0xFFFF) ? 0 : word;
}

quint16 measurementToVolts(quint16 raw, quint16 kal_value230) {
    const quint64 k = kal_value230 != 0 ? kal_value230 : kUncalibratedCounts230;
    return quint16(std::min<quint64>(roundedQuotient(quint64(raw) * 230, k), 65535));
}

OldIdentity decodeOldIdentity(const quint8* answer) {
    OldIdentity id;
    id.versionText = identityText(true, answer, 0, 16);
    id.revision = revisionFromVersionText(id.versionText);
    id.uac_start_int = readItemWord(true, answer, 16);
    id.uac_nenn_int = readItemWord(true, answer, 17);
    const quint16 ramp = readItemWord(true, answer, 18);
    id.darkeningSeconds = (ramp & 0xFF) * 25;
    id.brighteningSeconds = (ramp >> 8) * 25;
    id.kal_value230 = calibrationValue(readItemWord(true, answer, 19));
    return id;
}

std::optional<OldIdentity> decodeOldIdentity(QByteArrayView answer) {
    if (answer.size() < kOldIdentityAnswerBytes)
        return std::nullopt;
    return decodeOldIdentity(reinterpret_cast<const quint8*>(answer.data()));
}

NewIdentity decodeNewIdentity(const quint8* answer) {
    NewIdentity id;
    const quint16 word36 = readItemWord(false, answer, 36);
    id.SW_Nr = word36 & 0xFF;
    id.TVers_Nr = word36 >> 8;
    id.Opt_Bits = readItemWord(false, answer, 37);
    id.Entw_Nr = readItemWord(false, answer, 38) & 0xFF;
    id.DEV_Nr = id.Opt_Bits & 1;
    id.Rev_Str = QStringLiteral("%1.%2.%3.%4")
                     .arg(id.SW_Nr)
                     .arg(id.TVers_Nr)
                     .arg(id.Opt_Bits)
                     .arg(id.Entw_Nr);

    const QChar nul(u'\0');
    const QChar unprogrammed(ushort(0xFF)); // "ÿ": erased memory
    id.SW_Date_neu = cutAt(cutAt(identityText(false, answer, 52, 7), nul), unprogrammed);
    id.hw_descr_new = !id.SW_Date_neu.isEmpty();
    id.HW_Produktcode = cutAt(identityText(false, answer, 12, 8), nul);
    id.HW_Beschreibung = cutAt(identityText(false, answer, 22, 5), nul);
    id.HW_Produktcode_Neu = cutAt(cutAt(identityText(false, answer, 44, 8), nul), unprogrammed);

    id.uac_start_int = readItemWord(false, answer, 32);
    id.uac_nenn_int = readItemWord(false, answer, 33);
    id.kal_value230 = calibrationValue(readItemWord(false, answer, 35));
    return id;
}

std::optional<NewIdentity> decodeNewIdentity(QByteArrayView answer) {
    if (answer.size() < kNewIdentityAnswerBytes)
        return std::nullopt;
    return decodeNewIdentity(reinterpret_cast<const quint8*>(answer.data()));
}

QString newVersionPanel(const NewIdentity& id, const QString& swDate) {
    if (id.hw_descr_new)
        return QStringLiteral("Version: ") + id.HW_Produktcode_Neu + id.HW_Beschreibung +
               id.SW_Date_neu;
    return QStringLiteral("Version: ") + id.HW_Produktcode + id.Rev_Str + QStringLiteral("  ") +
           swDate;
}

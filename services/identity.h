#pragma once
// Decoding of the controller's identity telegram (hardware test and identity read).
// Pure functions over the answer bytes, so both generations can be checked byte by byte.
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>

// The hardware test answers 63 4D on new hardware; any other answer means old hardware.
bool isOldHardware(quint8 answer0, quint8 answer1);

// Text of `words` identity words starting at item `firstItem`: two characters a word, low
// byte first, each byte the character with that code (0 … 255).
QString identityText(bool hw_old, const quint8* answer, int firstItem, int words);
// The text up to the first occurrence of `stop` (the whole text when it does not occur).
QString cutAt(const QString& text, QChar stop);

// Characters 12 and 13 (counting from 1) of the old version text as a number; 0 when they
// are not a number.
qint32 revisionFromVersionText(const QString& versionText);

// A calibration word of 0 or 0xFFFF (unprogrammed) means no calibration value.
quint16 calibrationValue(quint16 word);

// The raw AC reading taken for 230 V when the controller holds no calibration value: the
// nominal divider.
inline constexpr quint16 kUncalibratedCounts230 = 587;

// A stored AC measurement value in volts: raw / k × 230 with k the calibration value, or
// 587 without one, rounded to the nearest integer with halves to even (exactly, so a tie
// is a tie). Implausible calibration values could give more than a 16-bit field holds;
// the result is clamped to 65535.
quint16 measurementToVolts(quint16 raw, quint16 kal_value230);

struct OldIdentity {
    QString versionText; // 32 characters, not cut
    qint32 revision = 0; // HW_Ver_Nr
    quint16 uac_start_int = 0;
    quint16 uac_nenn_int = 0;
    int darkeningSeconds = 0;   // low byte of the ramp word × 25
    int brighteningSeconds = 0; // high byte × 25
    quint16 kal_value230 = 0;
};
OldIdentity decodeOldIdentity(const quint8* answer);
// Answer bytes the old identity decoding reads: 20 items of 4 bytes.
inline constexpr qsizetype kOldIdentityAnswerBytes = 4 * 20;
// The same from an answer of the length the link received; nullopt when it is shorter than
// the bytes decoding reads, so nothing beyond the answer is ever taken.
std::optional<OldIdentity> decodeOldIdentity(QByteArrayView answer);

struct NewIdentity {
    quint16 SW_Nr = 0;
    quint16 TVers_Nr = 0;
    quint16 Opt_Bits = 0;
    quint16 Entw_Nr = 0;
    quint16 DEV_Nr = 0; // bit 0 of Opt_Bits: no second heat-sink temperature
    QString Rev_Str;    // "SW.TVers.Opt.Entw"
    QString HW_Produktcode;
    QString HW_Beschreibung;
    QString HW_Produktcode_Neu;
    QString SW_Date_neu;
    bool hw_descr_new = false;
    quint16 uac_start_int = 0;
    quint16 uac_nenn_int = 0;
    quint16 kal_value230 = 0;
};
NewIdentity decodeNewIdentity(const quint8* answer);
// Answer bytes the new identity decoding reads: items 0 … 58 of 5 bytes (the date block
// ends in item 58).
inline constexpr qsizetype kNewIdentityAnswerBytes = 5 * 59;
// The same from an answer of the length the link received; nullopt when it is shorter.
std::optional<NewIdentity> decodeNewIdentity(QByteArrayView answer);

// The status line's version text of new hardware. swDate is SW_Date: the description when
// there is no newer identity block.
QString newVersionPanel(const NewIdentity& id, const QString& swDate);

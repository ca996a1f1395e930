// The comparison of two parameter sets: which parameters differ, how their values read,
// and the message of a read-back that found something else than was written.
#include "parameters/parameter_compare.h"
#include "parameters/parameter_memory_read.h"
#include "protocol/requests.h"
#include "serial/sio.h"
#include "text/confirm_texts.h"
#include "text/verify_texts.h"
#include "text/write_failure_texts.h"

#include <QTest>

Q_DECLARE_METATYPE(ParameterSet)
Q_DECLARE_METATYPE(QList<ParameterId>)
Q_DECLARE_METATYPE(ParameterId)

namespace {

ParameterSet sampleSet() {
    ParameterSet set;
    set.profileTimes = {0x1600, 0x0000, 0x051E, 0x0600, 0x1700, 0x0100, 0x0700, 0x0800};
    set.takts = {172, 100, 200, 150, 100, 172};
    set.startTakt = 200;     // 50 Hz
    set.burnInSeconds = 300; // 5 min
    set.rampWord = 0x1808;   // darken 200 s, brighten 600 s
    return set;
}

} // namespace

class ParameterCompareTest : public QObject {
    Q_OBJECT
private slots:
    void differences_data();
    void differences();
    void equalTextsShowTheirWords();
    void captions();
    void failedReadBackMessage();
    void fileAsTheFieldsWouldHoldIt();
    void oldMemoryBesideItsRam();
    // A word the controller cannot hold is named in the row of its parameter, never shown.
    void implausibleWords_data();
    void implausibleWords();
};

void ParameterCompareTest::differences_data() {
    QTest::addColumn<ParameterSet>("theirs");
    QTest::addColumn<bool>("withRampTimes");
    QTest::addColumn<QList<ParameterId>>("differing");
    QTest::addColumn<QStringList>("values"); // ours, theirs of the first differing row

    const ParameterSet ours = sampleSet();
    QTest::newRow("the same") << ours << true << QList<ParameterId>{} << QStringList{};
    ParameterSet set = ours;
    set.profileTimes[3] = 0x0700;
    set.takts[4] = 170;
    QTest::newRow("weekend takt and workday end")
        << set << true
        << QList<ParameterId>{{ParameterField::ProfileTime, 3}, {ParameterField::Takt, 4}}
        << QStringList{"06:00", "07:00"};
    set = ours;
    set.rampWord = 0x1807;
    QTest::newRow("darkening, with the ramp times")
        << set << true << QList<ParameterId>{{ParameterField::Darken}} << QStringList{"200", "175"};
    QTest::newRow("darkening, ramp times not written")
        << set << false << QList<ParameterId>{} << QStringList{};
    set = ours;
    set.burnInSeconds = 720;
    set.startTakt = 167;
    QTest::newRow("start settings")
        << set << false
        << QList<ParameterId>{{ParameterField::StartFrequency}, {ParameterField::BurnIn}}
        << QStringList{"50", "60"};
}

void ParameterCompareTest::differences() {
    QFETCH(ParameterSet, theirs);
    QFETCH(bool, withRampTimes);
    QFETCH(QList<ParameterId>, differing);
    QFETCH(QStringList, values);
    const QList<ParameterRow> all = compareParameterSets(sampleSet(), theirs, withRampTimes);
    QCOMPARE(all.size(), withRampTimes ? 18 : 16);
    const QList<ParameterRow> rows = differingParameters(sampleSet(), theirs, withRampTimes);
    QList<ParameterId> ids;
    for (const ParameterRow& row : rows)
        ids.append(row.id);
    QCOMPARE(ids, differing);
    if (!rows.isEmpty())
        QCOMPARE((QStringList{rows[0].ours, rows[0].theirs}), values);
}

void ParameterCompareTest::equalTextsShowTheirWords() {
    // 166 and 167 both show 60 Hz, 300 s and 310 s both 5 min: the words tell them apart.
    ParameterSet ours = sampleSet();
    ParameterSet theirs = ours;
    ours.startTakt = 167;
    theirs.startTakt = 166;
    theirs.burnInSeconds = 310;
    const QList<ParameterRow> rows = differingParameters(ours, theirs, true);
    QCOMPARE(rows.size(), 2);
    QCOMPARE((QStringList{rows[0].ours, rows[0].theirs}), (QStringList{"60 (167)", "60 (166)"}));
    QCOMPARE((QStringList{rows[1].ours, rows[1].theirs}), (QStringList{"5 (300)", "5 (310)"}));
}

void ParameterCompareTest::captions() {
    const auto en = std::optional<Language>(Language::English);
    QCOMPARE(parameterCaption(en, {ParameterField::ProfileTime, 3}),
             QStringLiteral("diming profil: so-th night – diming end – time"));
    QCOMPARE(parameterCaption(en, {ParameterField::Takt, 4}),
             QStringLiteral("diming profil: fr/sa night – period 2 – energy saving [%]"));
    QCOMPARE(parameterCaption(en, {ParameterField::BurnIn}), QStringLiteral("burning time [min]"));
    QCOMPARE(captionRowsOf({ParameterField::ProfileTime, 5}), (QList<int>{42, 45, 48}));
    QCOMPARE(parameterOf(FieldRefusal{RefusedField::Takt, 2, "x"}),
             (ParameterId{ParameterField::Takt, 2}));
}

void ParameterCompareTest::failedReadBackMessage() {
    ParameterSet theirs = sampleSet();
    theirs.profileTimes[3] = 0x0700;
    theirs.rampWord = 0x1807;
    const auto de = std::optional<Language>(Language::German);
    const QString message = verifyFailedMessage(de, differingParameters(sampleSet(), theirs, true));
    QCOMPARE(message.split('\n'),
             (QStringList{verifyText(de, VerifyText::VerifyFailed),
                          "Dimmprofil: So-Do Nacht – Dimmende – Zeit: geschrieben 06:00, "
                          "zurückgelesen 07:00",
                          "Zeit zum Verdunkeln [s]: geschrieben 200, zurückgelesen 175"}));
}

void ParameterCompareTest::fileAsTheFieldsWouldHoldIt() {
    LoadedParameters loaded;
    loaded.startHz = 50;
    loaded.burnInMinutes = 5;
    const ParameterSet expected = sampleSet();
    for (std::size_t i = 0; i < 8; ++i)
        loaded.profileTimes[i] =
            QTime(expected.profileTimes[i] >> 8, expected.profileTimes[i] & 0xFF);
    for (std::size_t i = 0; i < 6; ++i)
        loaded.takts[i] = expected.takts[i];
    loaded.darkenSeconds = 200;
    loaded.brightenSeconds = 600;
    const auto set = parameterSetFromFields(fieldsOfParameterFile(loaded), true);
    QVERIFY(std::holds_alternative<ParameterSet>(set));
    QCOMPARE(differingParameters(std::get<ParameterSet>(set), expected, true).size(), 0);
}

// The old hardware's memory telegram: the read button's 33 items, then the profile times,
// takts, start frequency and burn-in from parameter memory. Where memory and RAM differ
// the controller's side names both; a memory word out of range is named by its own item.
void ParameterCompareTest::oldMemoryBesideItsRam() {
    std::fill(check_mask, check_mask + kLinkBufferSize, quint8(0));
    QCOMPARE(buildParameterMemoryRead(true), quint32(4 * kOldParameterMemorySlots));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(expect_buffer) + 4 * 33, 4),
             QByteArray("\x02\x20\x05\x05", 4));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(expect_buffer) + 4 * 45, 2),
             QByteArray("\x02\x04", 2));
    QByteArray answer(reinterpret_cast<const char*>(expect_buffer), 4 * kOldParameterMemorySlots);
    std::fill(check_mask, check_mask + kLinkBufferSize, quint8(0));
    const auto put = [&answer](int item, quint16 word) {
        answer[4 * item + 2] = char(word & 0xFF);
        answer[4 * item + 3] = char(word >> 8);
    };
    const ParameterSet written = sampleSet();
    for (int copy : {20, 33}) { // the RAM mirror, then the memory
        for (int i = 0; i < 8; ++i)
            put(copy + i, written.profileTimes[std::size_t(i)]);
        for (int i = 0; i < 3; ++i)
            put(copy + 8 + i, quint16(written.takts[std::size_t(2 * i + 1)] << 8 |
                                      written.takts[std::size_t(2 * i)]));
        put(copy + 11, written.startTakt);
        put(copy + 12, written.burnInSeconds);
    }
    put(18, written.rampWord);
    put(33 + 3, 0x0700); // the memory's workday dimming end failed: 07:00 for 06:00

    const std::optional<ParameterMemoryRead> read = decodeParameterMemoryRead(true, answer, 14);
    QVERIFY(read && read->ram);
    QCOMPARE(read->memory.set.profileTimes[3], quint16(0x0700));
    QCOMPARE(read->ram->profileTimes[3], quint16(0x0600));
    QVERIFY(read->memory.violations.isEmpty());
    const ControllerRows rows = differingFromController(Language::English, written, *read, true);
    QCOMPARE(rows.rows.size(), 1);
    QCOMPARE(rows.rows[0].id, (ParameterId{ParameterField::ProfileTime, 3}));
    QCOMPARE(rows.rows[0].theirs, QStringLiteral("memory 07:00, RAM 06:00"));
    QCOMPARE(rows.ram, QStringList{QStringLiteral("06:00")});

    // RAM alone wrong: marked too, though the memory holds what was written.
    put(33 + 3, 0x0600);
    put(20 + 4, 0x1701);
    const auto ramWrong = decodeParameterMemoryRead(true, answer, 14);
    QCOMPARE(differingFromController(std::nullopt, written, *ramWrong, true).rows[0].theirs,
             writeFailureText(std::nullopt, WriteFailureText::MemoryAndRam).arg("23:00", "23:01"));

    put(33 + 12, 100); // a burn-in the controller cannot hold, in memory
    QCOMPARE(decodeParameterMemoryRead(true, answer, 14)->memory.violations.constFirst().source,
             QStringLiteral("[45]"));
    QVERIFY(!decodeParameterMemoryRead(true, answer.chopped(1), 14));
}

void ParameterCompareTest::implausibleWords_data() {
    QTest::addColumn<bool>("hwOld");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("word");
    QTest::addColumn<ParameterId>("limited");
    QTest::newRow("new: hour 24") << false << 38 << 0x1800
                                  << ParameterId{ParameterField::ProfileTime, 2};
    QTest::newRow("new: takt 30 in a high byte")
        << false << 45 << 0x1E64 << ParameterId{ParameterField::Takt, 3};
    QTest::newRow("new: start takt 50")
        << false << 47 << 50 << ParameterId{ParameterField::StartFrequency};
    // Taken over as it is by the window, but no value of the controller's.
    QTest::newRow("new: burn-in 1084 min")
        << false << 48 << 65040 << ParameterId{ParameterField::BurnIn};
    QTest::newRow("old: burn-in 1084 min")
        << true << 32 << 65040 << ParameterId{ParameterField::BurnIn};
    QTest::newRow("old: minute 60")
        << true << 27 << 0x003C << ParameterId{ParameterField::ProfileTime, 7};
}

void ParameterCompareTest::implausibleWords() {
    QFETCH(bool, hwOld);
    QFETCH(int, slot);
    QFETCH(int, word);
    QFETCH(ParameterId, limited);
    // An answer whose words are all plausible but the one of the row.
    const int size = hwOld ? 4 : 5;
    QByteArray answer(size * (hwOld ? 33 : 49), '\0');
    const auto put = [&](int item, int value) {
        const int last = item * size + size - 2;
        answer[last] = char(value & 0xFF);
        answer[last + 1] = char(value >> 8);
    };
    for (int item = hwOld ? 28 : 44; item < (hwOld ? 31 : 47); ++item)
        put(item, 0x6464);
    put(hwOld ? 31 : 47, 200);
    put(hwOld ? 32 : 48, 300);
    put(slot, word);
    const std::optional<ParameterRead> read =
        hwOld ? decodeOldParameterRead(answer, 14) : decodeNewParameterRead(answer);
    QVERIFY(read);
    QCOMPARE(::implausibleWords(*read).size(), 1);
    for (const ParameterId id : writtenParameters(true))
        QCOMPARE(limitedOnRead(*read, hwOld, id), id == limited);

    QList<ParameterRow> rows = compareParameterSets(sampleSet(), read->set, true);
    markImplausible(rows, *read, hwOld, Language::English);
    for (const ParameterRow& row : rows) {
        const bool named = row.theirs == confirmText(Language::English, ConfirmText::NotPlausible);
        QCOMPARE(named, row.id == limited);
        if (named)
            QVERIFY(row.differs);
    }
}

QTEST_GUILESS_MAIN(ParameterCompareTest)
#include "tst_parameter_compare.moc"

// The parameter set under the parameter page: decoding the read answer of both
// generations, the limits of words out of range, and the words of the write.
#include "base/formats.h"
#include "parameters/parameter_set.h"
#include "protocol/telegram.h"

#include <QTest>

namespace {

// A read answer with the given words in their slots (echoed addresses are not checked
// here), every other word 0.
QByteArray answerWith(bool hw_old, const QList<QPair<int, quint16>>& words) {
    const int size = hw_old ? 4 : 5;
    QByteArray answer((hw_old ? kOldParameterSlots : kNewParameterSlots) * size, 0);
    for (const auto& [slot, word] : words) {
        answer[slot * size + size - 2] = char(word & 0xFF);
        answer[slot * size + size - 1] = char(word >> 8);
    }
    return answer;
}

ParameterRead decode(bool hw_old, const QByteArray& answer, qint32 revision = 14) {
    const auto* bytes = reinterpret_cast<const quint8*>(answer.constData());
    return hw_old ? decodeOldParameterRead(bytes, revision) : decodeNewParameterRead(bytes);
}

QString savingShown(const ParameterRead& r, int period) {
    return formatFixed(r.savings[std::size_t(period)], 0);
}

} // namespace

class ParameterSetTest : public QObject {
    Q_OBJECT
private slots:
    void readTakesTheWords_data();
    void readTakesTheWords();
    void taktsAndSavings_data();
    void taktsAndSavings();
    void wordsOutOfRangeAreLimited_data();
    void wordsOutOfRangeAreLimited();
    void oldRevisionWithoutRampTimes();
    void writeItems_data();
    void writeItems();
    void writeRefusesATaktBeyondAByte();
};

void ParameterSetTest::readTakesTheWords_data() {
    QTest::addColumn<bool>("hw_old");
    QTest::addColumn<int>("profileSlot");
    QTest::addColumn<int>("startSlot");
    QTest::addColumn<int>("rampSlot");
    QTest::newRow("new hardware") << false << 36 << 47 << 34;
    QTest::newRow("old hardware") << true << 20 << 31 << 18;
}

void ParameterSetTest::readTakesTheWords() {
    QFETCH(bool, hw_old);
    QFETCH(int, profileSlot);
    QFETCH(int, startSlot);
    QFETCH(int, rampSlot);
    QList<QPair<int, quint16>> words{{startSlot, 182}, {startSlot + 1, 600}, {rampSlot, 0x1808}};
    for (int i = 1; i <= 3; ++i)
        words.append({startSlot - i, 0x6464}); // the takt words, just before
    const quint16 times[8] = {0x1600, 0x051E, 0x0500, 0x0600, 0x1600, 0x0000, 0x0700, 0x0800};
    for (int i = 0; i < 8; ++i)
        words.append({profileSlot + i, times[i]});
    if (hw_old)
        words << QPair<int, quint16>{16, 700} << QPair<int, quint16>{17, 800};
    const ParameterRead r = decode(hw_old, answerWith(hw_old, words));

    for (int i = 0; i < 8; ++i)
        QCOMPARE(r.set.profileTimes[std::size_t(i)], times[i]);
    QCOMPARE(r.set.startTakt, quint16(182));
    QCOMPARE(r.set.burnInSeconds, quint16(600));
    QCOMPARE(r.set.rampWord, quint16(0x1808));
    QVERIFY(r.violations.isEmpty());
    QCOMPARE(r.uac_start_int.has_value(), hw_old);
    if (hw_old) {
        QCOMPARE(*r.uac_start_int, quint16(700));
        QCOMPARE(*r.uac_nenn_int, quint16(800));
        QVERIFY(r.words.isEmpty());
    } else {
        QCOMPARE(r.words.size(), kNewParameterSlots);
        QCOMPARE(r.words[47].value, quint16(182));
    }
}

void ParameterSetTest::taktsAndSavings_data() {
    QTest::addColumn<bool>("hw_old");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("takt");
    QTest::addColumn<QString>("saving");
    QTest::newRow("new 200") << false << 200 << 200 << "0";
    QTest::newRow("new 100") << false << 100 << 100 << "67";
    QTest::newRow("new 150") << false << 150 << 150 << "45";
    QTest::newRow("new 51, odd") << false << 51 << 51 << "89";
    QTest::newRow("old 151 cleared to 150") << true << 151 << 150 << "45";
    QTest::newRow("old 99 becomes 98, no saving") << true << 99 << 98 << "0";
    QTest::newRow("old 200") << true << 200 << 200 << "0";
}

void ParameterSetTest::taktsAndSavings() {
    QFETCH(bool, hw_old);
    QFETCH(int, byte);
    QFETCH(int, takt);
    QFETCH(QString, saving);
    // The same byte in every position of the three takt words.
    const int first = hw_old ? 28 : 44;
    const quint16 word = quint16(byte << 8 | byte);
    const ParameterRead r = decode(hw_old, answerWith(hw_old, {{first, word},
                                                               {first + 1, word},
                                                               {first + 2, word},
                                                               {hw_old ? 31 : 47, 182},
                                                               {hw_old ? 32 : 48, 600}}));
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(int(r.set.takts[std::size_t(i)]), takt);
        QCOMPARE(savingShown(r, i), saving);
    }
    QVERIFY(r.violations.isEmpty());
}

void ParameterSetTest::wordsOutOfRangeAreLimited_data() {
    QTest::addColumn<bool>("hw_old");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("word");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limited");
    QTest::newRow("new hour 25") << false << 36 << 0x1900 << "profile" << 0x1700;
    QTest::newRow("new minute 75") << false << 43 << 0x054B << "profile" << 0x053B;
    QTest::newRow("new start word 0") << false << 47 << 0 << "start" << 100;
    QTest::newRow("new takt byte 30") << false << 44 << 0x641E << "takt" << 50;
    QTest::newRow("new takt byte 255") << false << 46 << 0xFF64 << "takt" << 200;
    QTest::newRow("old hour 24") << true << 27 << 0x1800 << "profile" << 0x1700;
    QTest::newRow("old start 250") << true << 31 << 250 << "start" << 200;
    QTest::newRow("old burn-in 100 s") << true << 32 << 100 << "burn-in" << 180;
    QTest::newRow("old burn-in 1000 s") << true << 32 << 1000 << "burn-in" << 900;
}

void ParameterSetTest::wordsOutOfRangeAreLimited() {
    QFETCH(bool, hw_old);
    QFETCH(int, slot);
    QFETCH(int, word);
    QFETCH(QString, field);
    QFETCH(int, limited);
    // Sound words everywhere else: takts of 100, start 182, burn-in 600 s.
    const int takt = hw_old ? 28 : 44;
    const int start = hw_old ? 31 : 47;
    QList<QPair<int, quint16>> words{
        {takt, 0x6464}, {takt + 1, 0x6464}, {takt + 2, 0x6464}, {start, 182}, {start + 1, 600}};
    words.append({slot, quint16(word)});
    const ParameterRead r = decode(hw_old, answerWith(hw_old, words));
    QCOMPARE(r.violations.size(), 1);
    if (field == "profile")
        QCOMPARE(int(r.set.profileTimes[std::size_t(slot - (hw_old ? 20 : 36))]), limited);
    else if (field == "start")
        QCOMPARE(int(r.set.startTakt), limited);
    else if (field == "burn-in")
        QCOMPARE(int(r.set.burnInSeconds), limited);
    else
        QVERIFY(std::find(r.set.takts.begin(), r.set.takts.end(), quint16(limited)) !=
                r.set.takts.end());
}

void ParameterSetTest::oldRevisionWithoutRampTimes() {
    const QByteArray answer = answerWith(true, {{18, 0x1808}, {31, 182}, {32, 600}});
    QVERIFY(!decode(true, answer, 13).hasRampTimes);
    QCOMPARE(decode(true, answer, 13).set.rampWord, quint16(0));
    QVERIFY(decode(true, answer, 14).hasRampTimes);
    QCOMPARE(decode(true, answer, 14).set.rampWord, quint16(0x1808));
}

void ParameterSetTest::writeItems_data() {
    QTest::addColumn<bool>("hw_old");
    QTest::addColumn<bool>("ramp");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("bytes");
    QTest::newRow("new, no ramp times") << false << false << 28 << 168;
    QTest::newRow("new, ramp times") << false << true << 30 << 180;
    QTest::newRow("old, no ramp times") << true << false << 28 << 140;
    QTest::newRow("old, ramp times") << true << true << 30 << 150;
}

void ParameterSetTest::writeItems() {
    QFETCH(bool, hw_old);
    QFETCH(bool, ramp);
    QFETCH(int, items);
    QFETCH(int, bytes);
    ParameterSet set;
    set.profileTimes = {0x1400, 0x1600, 0x0500, 0x0600, 0x1600, 0x0000, 0x0700, 0x051E};
    set.takts = {172, 100, 172, 172, 100, 172};
    set.startTakt = 182;
    set.burnInSeconds = 600;
    set.rampWord = 0x1808;
    const auto written = dataWriteItems(hw_old, set, ramp);
    QVERIFY(written);
    QCOMPARE(written->size(), items);
    QCOMPARE(written->size() * itemSize(hw_old, kRamWrite), bytes);

    const quint16 requestWord = hw_old ? 0x74 : 0x64;
    const auto at = [&](int slot) { return written->at(slot); };
    // Framed by the request word 2, both in RAM.
    for (int slot : {0, 27}) {
        QCOMPARE(at(slot).cfg, quint16(kRamWrite));
        QCOMPARE(at(slot).adr, requestWord);
        QCOMPARE(at(slot).value, quint16(2));
    }
    // The same words into RAM (slots 1..13) and parameter memory (slots 14..26).
    const QList<quint16> values{0x1400, 0x1600, 0x0500, 0x0600, 0x1600, 0x0000, 0x0700,
                                0x051E, 0x64AC, 0xACAC, 0xAC64, 182,    600};
    const QList<quint16> memory{0x20,
                                0x22,
                                0x24,
                                0x26,
                                0x28,
                                0x2A,
                                0x2C,
                                0x2E,
                                0x38,
                                0x3A,
                                0x3C,
                                quint16(hw_old ? 0x02 : 0x04),
                                quint16(hw_old ? 0x04 : 0x06)};
    for (int i = 0; i < values.size(); ++i) {
        QCOMPARE(at(1 + i).cfg, quint16(kRamWrite));
        QCOMPARE(at(1 + i).value, values[i]);
        QCOMPARE(at(14 + i).cfg, quint16(kParameterWrite));
        QCOMPARE(at(14 + i).adr, memory[i]);
        QCOMPARE(at(14 + i).value, values[i]);
    }
    QCOMPARE(at(1).adr, quint16(0xB2));
    QCOMPARE(at(12).adr, quint16(hw_old ? 0x50 : 0x38));
    QCOMPARE(at(13).adr, quint16(hw_old ? 0x52 : 0x36));
    if (ramp) {
        QCOMPARE(at(28).adr, quint16(hw_old ? 0x30 : 0x34));
        QCOMPARE(at(28).cfg, quint16(kRamWrite));
        QCOMPARE(at(29).adr, quint16(0x46));
        QCOMPARE(at(29).cfg, quint16(kParameterWrite));
        QCOMPARE(at(29).value, quint16(0x1808));
    }
}

void ParameterSetTest::writeRefusesATaktBeyondAByte() {
    ParameterSet set;
    set.takts = {172, 100, 172, 256, 100, 172};
    QVERIFY(!dataWriteItems(false, set, true));
    QVERIFY(!taktWords(set.takts));
}

QTEST_GUILESS_MAIN(ParameterSetTest)
#include "tst_parameter_set.moc"

// The telegram splitter: every request the tool sends, of both generations, split back
// into its items, with the word each read item got from an answer. The answer is the one
// a controller gives (echoes, acknowledges) with data bytes that carry their own position,
// so a word read names the bytes it came from.
#include "protocol/requests.h"
#include "protocol/telegram.h"
#include "protocol/telegram_split.h"
#include "serial/sio.h"

#include <QTest>

namespace {

using Kind = TelegramItem::Kind;

QByteArray built(quint32 length) {
    return QByteArray(reinterpret_cast<const char*>(expect_buffer), qsizetype(length));
}

// The controller's answer to the telegram in the buffers: data bytes hold their position.
QByteArray answerTo(const QByteArray& sent) {
    QByteArray answer(sent.size(), 0);
    for (qsizetype i = 0; i < sent.size(); ++i) {
        if (check_mask[i] == kMaskEcho)
            answer[i] = sent[i];
        else if (check_mask[i] == kMaskAcknowledge)
            answer[i] = char(0xAA);
        else
            answer[i] = char(i & 0xFF);
    }
    return answer;
}

QByteArray clean(quint32 length) {
    const QByteArray sent = built(length);
    std::fill(std::begin(check_mask), std::end(check_mask), quint8(0));
    return sent;
}

} // namespace

class TelegramSplitTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        std::fill(std::begin(expect_buffer), std::end(expect_buffer), quint8(0));
        std::fill(std::begin(check_mask), std::end(check_mask), quint8(0));
    }
    void everyExchange_data();
    void everyExchange();
};

Q_DECLARE_METATYPE(Kind)

void TelegramSplitTest::everyExchange_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<int>("generation"); // −1 not known, 0 new, 1 old
    QTest::addColumn<int>("count");
    QTest::addColumn<Kind>("firstKind");
    QTest::addColumn<int>("firstAddress");
    QTest::addColumn<int>("firstValue"); // −1: none
    QTest::addColumn<Kind>("lastKind");
    QTest::addColumn<int>("lastAddress");
    QTest::addColumn<int>("lastValue");

    const auto row = [](const char* name, quint32 length, int generation, int count, Kind firstKind,
                        int firstAddress, int firstValue, Kind lastKind, int lastAddress,
                        int lastValue, int answerLength = -1) {
        const QByteArray sent = built(length);
        QByteArray received = answerTo(sent);
        if (answerLength >= 0)
            received.truncate(answerLength);
        clean(length);
        QTest::newRow(name) << sent << received << generation << count << firstKind << firstAddress
                            << firstValue << lastKind << lastAddress << lastValue;
    };

    for (int i = 0; i < 10; ++i) {
        expect_buffer[i] = 0x00;
        check_mask[i] = kMaskAcknowledge;
        expect_buffer[10 + i] = 0xAA;
    }
    row("synchronisation", 10, -1, 1, Kind::SyncRun, 0, -1, Kind::SyncRun, 0, -1);
    for (int i = 0; i < 10; ++i)
        check_mask[i] = kMaskAcknowledge;
    row("recovery", 20, 0, 2, Kind::SyncRun, 0, -1, Kind::AcknowledgeRun, 0, -1);
    expect_buffer[0] = 0x63;
    check_mask[0] = kMaskEcho;
    expect_buffer[1] = kFiller;
    row("hardware test", 2, -1, 1, Kind::HardwareTest, 0, 0x01, Kind::HardwareTest, 0, 0x01);

    for (const bool old : {true, false}) {
        const auto name = [old](const char* what) {
            static QList<QByteArray> names; // newRow copies the name; keep it alive anyway
            names.append(QByteArray(what) + (old ? " old" : " new"));
            return names.last().constData();
        };
        const int g = old ? 1 : 0;
        // The word of item 0 of a read: its last two bytes, low byte first.
        const int word0 = old ? 0x0302 : 0x0403;
        row(name("identity"), buildHwInfoRead(old), g, old ? 20 : 60, Kind::ParameterRead,
            old ? 0xE0 : 0x100, word0, Kind::ParameterRead, old ? 0x48 : 0x18E,
            old ? 0x4F4E : 0x2B2A);
        if (old) {
            row(name("RAM read"), buildRamRead(nullptr, true), g, 31, Kind::RamRead, 0x40, word0,
                Kind::RamRead, 0x08, 0x7B7A);
        } else {
            // Block read: 80 words from 0x30, data from byte 4, then the checksum at 164.
            row(name("RAM read"), buildRamRead(nullptr, false), g, 81, Kind::BlockRead, 0x30,
                0x0504, Kind::BlockRead, 0x30, 0xA4);
            buildRamRead(nullptr, false);
            row("RAM read new, answer stopped at byte 100", 170, g, 81, Kind::BlockRead, 0x30,
                0x0504, Kind::BlockRead, 0x30, -1, 100);
        }
        row(name("parameter read"), buildDataRead(old), g, old ? 33 : 49, Kind::ParameterRead,
            old ? 0xE0 : 0x100, word0, old ? Kind::RamRead : Kind::ParameterRead,
            old ? 0x52 : 0x006, old ? 0x8382 : 0xF4F3);
        row(name("parameter write"),
            buildWrites(old, {{kRamWrite, 0x74, 0x1234}, {kParameterWrite, 0x20, 0xBEEF}}), g, 2,
            Kind::RamWrite, 0x74, 0x1234, Kind::ParameterWrite, 0x20, 0xBEEF);
        row(name("clock"),
            buildWrites(old, timeWriteItems(old, {0x0102, 0x0304, 0x0506, 0x0708, 1, 1, 1, 0x55})),
            g, 8, Kind::RamWrite, 0xA8, 0x0102, Kind::RamWrite, old ? 0x74 : 0x64, 0x55);
        row(name("fault memory read"), buildErrmemRead(old), g, 49, Kind::ParameterRead, 0x80,
            word0, Kind::ParameterRead, 0x70, old ? 0xC3C2 : 0xF4F3);
        row(name("fault memory clear"), buildErrmemClear(old), g, 49, Kind::ParameterWrite, 0x80, 0,
            Kind::ParameterWrite, 0x70, 0);
        row(name("calibration"), buildWrites(old, kalWriteItems(old, {500, 1, 2, 207, 230})), g, 5,
            Kind::ParameterWrite, 0x48, 500, Kind::ParameterWrite, 0x44, 230);
    }
    // A telegram of the other generation is not taken for items of the known one.
    row("old identity on new hardware", buildHwInfoRead(true), 0, 1, Kind::Unknown, 0, -1,
        Kind::Unknown, 0, -1);
}

void TelegramSplitTest::everyExchange() {
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, received);
    QFETCH(int, generation);
    QFETCH(int, count);
    QFETCH(Kind, firstKind);
    QFETCH(int, firstAddress);
    QFETCH(int, firstValue);
    QFETCH(Kind, lastKind);
    QFETCH(int, lastAddress);
    QFETCH(int, lastValue);

    const std::optional<bool> hwOld =
        generation < 0 ? std::nullopt : std::optional<bool>(generation == 1);
    const QList<TelegramItem> items = splitTelegram(sent, received, hwOld);
    QCOMPARE(items.size(), count);
    // The items cover the telegram without gaps.
    int next = 0;
    for (const TelegramItem& item : items) {
        QCOMPARE(item.position, next);
        next += item.length;
    }
    QCOMPARE(next, int(sent.size()));
    const auto valueOf = [](const TelegramItem& item) {
        return item.value ? int(*item.value) : -1;
    };
    QCOMPARE(items.first().kind, firstKind);
    QCOMPARE(int(items.first().address), firstAddress);
    QCOMPARE(valueOf(items.first()), firstValue);
    QCOMPARE(items.last().kind, lastKind);
    QCOMPARE(int(items.last().address), lastAddress);
    QCOMPARE(valueOf(items.last()), lastValue);
}

QTEST_APPLESS_MAIN(TelegramSplitTest)
#include "tst_telegram_split.moc"

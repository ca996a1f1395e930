// The serial link through a real pseudo-terminal against the controller simulator:
// clean transfers of every kind, the answer check, chunking, progress, the missing-byte
// and lost-port faults, message processing during long telegrams, and opening a port
// that is not there.
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/telegram.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "sim/simulator.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <memory>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::Space;

Q_DECLARE_METATYPE(trvsim::Fault)

namespace {

void putSync(int at = 0) {
    for (int i = at; i < at + 10; ++i) {
        expect_buffer[i] = 0x00;
        check_mask[i] = 2;
    }
}

bool maskIsClear() {
    return std::all_of(std::begin(check_mask), std::end(check_mask),
                       [](quint8 m) { return m == 0; });
}

} // namespace

class SerialLinkTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void cleanTransfers_data();
    void cleanTransfers();
    void blockReadCarriesItsChecksum();
    void faults_data();
    void faults();
    void firstMaskByteZeroChecksNothing();
    void chunksAndProgress_data();
    void chunksAndProgress();
    void lostPortIsClosedAndReported();
    void longTelegramsLetTheWindowBreathe_data();
    void longTelegramsLetTheWindowBreathe();
    void destroyingTheLinkDuringATransfer();
    void wakeWithoutTelegram();
    void missingPortIsReported();

private:
    void connectTo(Generation generation);
    // Starts the prepared telegram and waits (bounded) until the link is asleep again.
    bool transfer(quint32 count);

    std::unique_ptr<trvsim::Simulator> sim_;
    std::unique_ptr<TSio> link_;
    QStringList messages_;
};

void SerialLinkTest::init() {
    messages_.clear();
    setMessageSink([this](const QString& text) { messages_.append(text); });
    std::fill(std::begin(expect_buffer), std::end(expect_buffer), quint8(0));
    std::fill(std::begin(rx_buffer), std::end(rx_buffer), quint8(0));
    std::fill(std::begin(check_mask), std::end(check_mask), quint8(0));
    tx_pointer = nullptr;
    chunk_size = 0;
    // Only faults() is about the read time-out; the other tests must not fail because the
    // simulator's thread waited its turn longer than the product's 31 ms on a busy machine.
    read_timeout = 500;
    data_error = false;
    response_ready = false;
    protocol_step = 0;
}

void SerialLinkTest::cleanup() {
    link_.reset();
    sim_.reset();
    setPortOverrides({});
    setMessageSink({});
    read_timeout = 0;
}

void SerialLinkTest::connectTo(Generation generation) {
    sim_ = std::make_unique<trvsim::Simulator>(generation);
    sim_->model().setFrozen(true);
    QString error;
    QVERIFY2(sim_->start(&error), qPrintable(error));
    port_name = QStringLiteral("COM1");
    setPortOverrides({{port_name, sim_->devicePath()}});
    link_ = std::make_unique<TSio>();
    QVERIFY2(port_open, qPrintable(messages_.join('\n')));
    QVERIFY(port_handle != -1);
    QVERIFY(link_->isAsleep());
}

bool SerialLinkTest::transfer(quint32 count) {
    sim_->host().clearReceived();
    startTransfer(link_.get(), count);
    if (!link_->anmeldung || response_ready)
        return false;
    return QTest::qWaitFor([this] { return link_->isAsleep(); }, 10000);
}

void SerialLinkTest::cleanTransfers_data() {
    QTest::addColumn<bool>("old");
    QTest::addColumn<int>("cfg");
    for (bool old : {false, true})
        for (int cfg : {1, 2, 3, 4})
            QTest::addRow("%s kind %d", old ? "old" : "new", cfg) << old << cfg;
}

void SerialLinkTest::cleanTransfers() {
    QFETCH(bool, old);
    QFETCH(int, cfg);
    connectTo(old ? Generation::Old : Generation::New);
    const Space space = (cfg == 1 || cfg == 3) ? Space::Ram : Space::Parameter;
    const quint16 base = 0xB2;

    quint32 count = 0;
    if (cfg <= 2) {
        // Three words, one of them 0xFFFF, behind a synchronisation in one telegram.
        sim_->model().poke(space, base, 0x0102);
        sim_->model().poke(space, base + 2, 0xFFFF);
        sim_->model().poke(space, base + 4, 0x8000);
        send_sio(link_.get(), old, quint16(cfg), base, 3, 0);
        count = 3 * quint32(itemSize(old, quint16(cfg)));
    } else {
        send_sio(link_.get(), old, quint16(cfg), base, 0x1234, 0);
        send_sio(link_.get(), old, quint16(cfg), base + 2, 0xFFFF, 1);
        count = 2 * quint32(itemSize(old, quint16(cfg)));
    }
    const QByteArray telegram(reinterpret_cast<const char*>(expect_buffer), int(count));
    QVERIFY(transfer(count));

    QVERIFY(!data_error);
    QVERIFY(response_ready);
    QVERIFY(maskIsClear());
    QCOMPARE(tx_pointer, nullptr);
    QVERIFY(!link_->anmeldung);
    QCOMPARE(sim_->host().received().toHex(' '), telegram.toHex(' '));
    if (cfg <= 2) {
        QCOMPARE(readItemWord(old, rx_buffer, 0), quint16(0x0102));
        QCOMPARE(readItemWord(old, rx_buffer, 1), quint16(0xFFFF));
        QCOMPARE(readItemWord(old, rx_buffer, 2), quint16(0x8000));
    } else {
        QCOMPARE(sim_->model().peek(space, base), quint16(0x1234));
        QCOMPARE(sim_->model().peek(space, base + 2), quint16(0xFFFF));
    }
}

void SerialLinkTest::blockReadCarriesItsChecksum() {
    connectTo(Generation::New);
    for (quint16 k = 0; k < 80; ++k)
        sim_->model().poke(Space::Ram, quint16(0x30 + 2 * k), quint16(0x0101 * k + 7));
    sim_->host().clearReceived();
    send_sio(link_.get(), false, 9, 0x30, 80, 0); // starts its own transfer
    QCOMPARE(protocol_step, 4);
    QVERIFY(QTest::qWaitFor([this] { return link_->isAsleep(); }, 10000));
    QVERIFY(!data_error);
    QCOMPARE(sim_->host().received().size(), 170);
    quint8 sum = 0;
    for (int i = 4; i < 164; ++i)
        sum = quint8(sum + rx_buffer[i]);
    QCOMPARE(rx_buffer[164], sum);
    QCOMPARE(quint16(rx_buffer[4 + 2 * 79] | rx_buffer[5 + 2 * 79] << 8), quint16(0x0101 * 79 + 7));

    // A wrong checksum is not the link's business (its mask is 0): the RAM read judges it.
    sim_->host().inject(Fault::badChecksum());
    send_sio(link_.get(), false, 9, 0x30, 80, 0);
    QVERIFY(QTest::qWaitFor([this] { return link_->isAsleep(); }, 10000));
    QVERIFY(!data_error);
    QCOMPARE(rx_buffer[164], quint8(sum + 1));
}

void SerialLinkTest::faults_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("error");
    QTest::addColumn<int>("bytesSent");
    // The rows about a late or missing answer run with the product's read time-out (0:
    // 31 ms for one byte), the others with room for a busy machine.
    QTest::addColumn<int>("readTimeout");

    // A ten-byte synchronisation telegram, every answer checked for 0xAA.
    QTest::newRow("clean") << Fault::late(0, 1000) << false << 10 << 500;
    QTest::newRow("corrupted answer") << Fault::corrupt(3) << true << 10 << 500;
    QTest::newRow("extra byte shifts the answers") << Fault::extra(3) << true << 10 << 500;
    QTest::newRow("late within the read time-out") << Fault::late(8, 3) << false << 10 << 0;
    // A missing answer fails the telegram at once; the rest still goes out, unanswered, so
    // the controller is not left in the middle of an item.
    QTest::newRow("dropped answer") << Fault::drop(3) << true << 10 << 0;
    QTest::newRow("late beyond the read time-out") << Fault::late(600, 3) << true << 10 << 0;
    QTest::newRow("silent controller") << Fault::silent(0) << true << 10 << 0;
}

void SerialLinkTest::faults() {
    QFETCH(Fault, fault);
    QFETCH(bool, error);
    QFETCH(int, bytesSent);
    QFETCH(int, readTimeout);
    read_timeout = readTimeout;
    connectTo(Generation::New);
    putSync();
    sim_->host().clearReceived();
    sim_->host().inject(fault);
    QVERIFY(transfer(10));
    QCOMPARE(data_error, error);
    QVERIFY(response_ready);
    // The last byte may still be on its way to the controller when a shifted answer
    // already ended the transfer.
    QTRY_COMPARE(sim_->host().received().size(), bytesSent);
    QVERIFY(maskIsClear());
    QVERIFY(port_open);
    QVERIFY(messages_.isEmpty());
}

void SerialLinkTest::firstMaskByteZeroChecksNothing() {
    connectTo(Generation::New);
    putSync();
    check_mask[0] = 0; // positions 1 … 9 still say 2, but nothing is checked
    sim_->host().inject(Fault::corrupt(5));
    QVERIFY(transfer(10));
    QVERIFY(!data_error);
    QCOMPARE(rx_buffer[5], quint8(0x55));

    // A data byte checked as acknowledge fails: 0x00 echoed as data is not 0xAA.
    send_sio(link_.get(), false, 1, 0xB2, 1, 0);
    sim_->model().poke(Space::Ram, 0xB2, 0x0000);
    check_mask[3] = 2;
    QVERIFY(transfer(5));
    QVERIFY(data_error);
}

void SerialLinkTest::chunksAndProgress_data() {
    QTest::addColumn<int>("chunk");
    QTest::addColumn<QList<int>>("percent");
    // Chunk sizes 0 and 500 run with 1 and 100.
    QTest::newRow("one byte") << 0 << QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    QTest::newRow("chunks of 3") << 3 << QList<int>{10, 40, 70, 100};
    QTest::newRow("one chunk of 100") << 500 << QList<int>{10};
}

void SerialLinkTest::chunksAndProgress() {
    QFETCH(int, chunk);
    QFETCH(QList<int>, percent);
    connectTo(Generation::New);
    QSignalSpy progress(link_.get(), &TSio::progressChanged);
    chunk_size = quint32(chunk);
    putSync();
    QVERIFY(transfer(10));
    QVERIFY(!data_error);
    QCOMPARE(sim_->host().received(), QByteArray(10, 0));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(rx_buffer), 10), QByteArray(10, char(0xAA)));
    QList<int> got;
    for (const auto& args : progress)
        got.append(args.at(0).toInt());
    QCOMPARE(got, percent);
}

void SerialLinkTest::lostPortIsClosedAndReported() {
    connectTo(Generation::New);
    QSignalSpy lost(link_.get(), &TSio::portLost);
    buildHwInfoRead(false);
    sim_->host().inject(Fault::hangUp(40));
    QVERIFY(transfer(300));
    QVERIFY(data_error);
    QVERIFY(!port_open);
    QVERIFY(link_->hasLostPort());
    // Reported to the window, which tells the user in its error step; the link itself
    // shows nothing, so the one event gives one message.
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost.first().at(0).toString(), QString("COM1"));
    QCOMPARE(lost.first().at(1).toString(), link_->devicePath());
    QVERIFY(messages_.isEmpty());
    QVERIFY(maskIsClear());
    QCOMPARE(tx_pointer, nullptr);

    // A later telegram on the closed link fails at once instead of hanging.
    putSync();
    QVERIFY(transfer(10));
    QVERIFY(data_error);
    QVERIFY(maskIsClear());
    QCOMPARE(lost.size(), 1);
    QVERIFY(messages_.isEmpty());
}

void SerialLinkTest::longTelegramsLetTheWindowBreathe_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("ranDuringTransfer");
    QTest::newRow("20 bytes") << 20 << true;
    QTest::newRow("10 bytes") << 10 << false;
}

void SerialLinkTest::longTelegramsLetTheWindowBreathe() {
    QFETCH(int, length);
    QFETCH(bool, ranDuringTransfer);
    connectTo(Generation::New);
    putSync();
    if (length == 20)
        putSync(10);
    // Something posted while the first byte is under way (a click, a repaint) runs
    // inside the transfer only if the transfer processes pending events.
    bool sawTransferRunning = false;
    bool posted = false;
    connect(link_.get(), &TSio::progressChanged, this, [&] {
        if (posted)
            return;
        posted = true;
        QMetaObject::invokeMethod(
            this, [&] { sawTransferRunning = !link_->isAsleep(); }, Qt::QueuedConnection);
    });
    startTransfer(link_.get(), quint32(length));
    QVERIFY(QTest::qWaitFor([this] { return link_->isAsleep(); }, 10000));
    QCoreApplication::processEvents();
    QCOMPARE(sawTransferRunning, ranDuringTransfer);
    QVERIFY(!data_error);
}

void SerialLinkTest::destroyingTheLinkDuringATransfer() {
    connectTo(Generation::New);
    buildHwInfoRead(false); // 300 bytes: processes events before every byte
    startTransfer(link_.get(), 300);
    int ticks = 0;
    // A handler that ends the link mid-transfer, as selecting another port does.
    std::function<void()> tick = [&] {
        if (++ticks == 50 && link_) {
            link_.reset();
            return;
        }
        if (link_)
            QMetaObject::invokeMethod(this, tick, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(this, tick, Qt::QueuedConnection);
    QVERIFY(QTest::qWaitFor([this] { return !link_; }, 10000));
    QCoreApplication::processEvents();
    QVERIFY(!port_open);
    QVERIFY(maskIsClear());
    QCOMPARE(tx_pointer, nullptr);
    const int sent = sim_->host().received().size();
    QVERIFY2(sent > 0 && sent < 300, qPrintable(QString::number(sent)));
}

void SerialLinkTest::wakeWithoutTelegram() {
    connectTo(Generation::New);
    response_ready = true;
    check_mask[7] = 1;
    link_->anmeldung = true;
    link_->Resume();
    QVERIFY(QTest::qWaitFor([this] { return link_->isAsleep(); }, 5000));
    QVERIFY(!link_->anmeldung);
    QVERIFY(maskIsClear());
    QVERIFY(response_ready); // untouched: nothing was read
    QVERIFY(sim_->host().received().isEmpty());
}

void SerialLinkTest::missingPortIsReported() {
    port_name = QStringLiteral("COM5");
    setPortOverrides({{port_name, QStringLiteral("/nonexistent/trv5200-port")}});
    link_ = std::make_unique<TSio>();
    QCOMPARE(port_handle, -1);
    QVERIFY(!port_open);
    QCOMPARE(messages_, QStringList{"Kein Zugriff auf COM5, Fehlernummer: 2"});
}

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "tst_serial_link.moc"

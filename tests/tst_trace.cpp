// The trace's ring keeps the last 1,000 transfers, and the link statistics from a fixed
// series of records: counts, errors by kind, the live cycle and the last error.
#include "serial/transfer_record.h"
#include "text/trace_texts.h"
#include "trace/link_statistics.h"
#include "trace/trace_file.h"
#include "trace/trace_ring.h"
#include "trace/trace_rows.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using Outcome = TransferRecord::Outcome;

TraceEntry entry(TraceExchange exchange, qint64 startMs, quint32 count,
                 Outcome outcome = Outcome::Sound, quint32 failPosition = 0) {
    TraceEntry e;
    e.exchange = exchange;
    e.record.startMs = startMs;
    e.record.startMonotonicNs = startMs * 1000000;
    e.record.count = count;
    e.record.sent = QByteArray(int(count), 0);
    e.record.received =
        QByteArray(int(outcome == Outcome::AnswerMissing ? failPosition : count), 0);
    e.record.outcome = outcome;
    e.record.failPosition = failPosition;
    return e;
}

} // namespace

class TraceTest : public QObject {
    Q_OBJECT
private slots:
    void ringKeepsTheLastThousand();
    void statisticsOfASeries();
    void savedTraceHoldsEveryRow();
};

void TraceTest::ringKeepsTheLastThousand() {
    TraceRing ring;
    for (int i = 0; i < 2500; ++i)
        ring.append(entry(TraceExchange::RamRead, i, 10));
    QCOMPARE(ring.size(), TraceRing::kCapacity);
    QCOMPARE(ring.end(), quint64(2500));
    QCOMPARE(ring.first(), quint64(1500));
    QVERIFY(!ring.find(1499));
    QVERIFY(!ring.find(2500));
    QCOMPARE(ring.find(1500)->record.startMs, 1500);
    QCOMPARE(ring.find(2499)->record.startMs, 2499);
}

void TraceTest::statisticsOfASeries() {
    LinkStatistics s;
    // Connect, then a live reading at 100, 160 and 300 ms; an answer that stopped and the
    // recovery; a new connection; a RAM read without an answer; one with a wrong byte;
    // two sound reads 50 ms apart; the port lost.
    const TraceEntry series[] = {
        entry(TraceExchange::Sync, 0, 10),
        entry(TraceExchange::HardwareTest, 10, 2),
        entry(TraceExchange::Sync, 90, 10),
        entry(TraceExchange::RamRead, 100, 170),
        entry(TraceExchange::Sync, 150, 10),
        entry(TraceExchange::RamRead, 160, 170),
        entry(TraceExchange::RamRead, 300, 170),
        entry(TraceExchange::RamRead, 400, 170, Outcome::AnswerMissing, 17),
        entry(TraceExchange::Sync, 420, 20),
        entry(TraceExchange::RamRead, 500, 170), // no cycle across the failure
        entry(TraceExchange::HardwareTest, 600, 2),
        entry(TraceExchange::RamRead, 700, 170), // nor across a new connection
        entry(TraceExchange::RamRead, 800, 170, Outcome::AnswerMissing, 0),
        entry(TraceExchange::RamRead, 900, 170, Outcome::WrongByte, 3),
        entry(TraceExchange::RamRead, 1000, 170),
        entry(TraceExchange::RamRead, 1050, 170),
        entry(TraceExchange::Identity, 1100, 300, Outcome::PortLost, 40),
    };
    for (const TraceEntry& e : series)
        s.add(e);
    QCOMPARE(s.transfers, quint64(17));
    QCOMPARE(s.bytes, quint64(10 + 2 + 10 + 170 + 10 + 170 + 170 + 170 + 20 + 170 + 2 + 170 + 170 +
                              170 + 170 + 170 + 300));
    QCOMPARE(s.answerStopped, quint64(1));
    QCOMPARE(s.noAnswer, quint64(1));
    QCOMPARE(s.wrongBytes, quint64(1));
    QCOMPARE(s.portLost, quint64(1));
    QCOMPARE(s.errors(), quint64(4));
    // Cycles: 60, 140, 50 ms.
    QCOMPARE(s.cycles, quint64(3));
    QCOMPARE(s.lastCycleMs, 50.0);
    QCOMPARE(s.maxCycleMs, 140.0);
    QCOMPARE(s.meanCycleMs, 250.0 / 3);
    QVERIFY(s.lastError);
    QCOMPARE(s.lastError->record.startMs, 1100);
    QCOMPARE(s.lastError->exchange, TraceExchange::Identity);
    QVERIFY(s.lastError->record.sent.isEmpty()); // the buffers are not kept twice
}

void TraceTest::savedTraceHoldsEveryRow() {
    TraceRing ring;
    LinkStatistics stats;
    for (const TraceEntry& e :
         {entry(TraceExchange::Sync, 0, 10),
          entry(TraceExchange::RamRead, 10, 170, Outcome::AnswerMissing, 0)}) {
        ring.append(e);
        stats.add(e);
    }
    const QByteArray text = traceFileText(Language::English, ring, stats);
    QVERIFY(text.contains("Transfers: 2, bytes: 180"));
    QVERIFY(text.contains("\tsync\t10\t"));
    QVERIFY(text.contains("\tRAM read\t170\t"));
    QVERIFY(text.contains("no answer"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace.txt"));
    QString error;
    QVERIFY2(saveTraceFile(path, text, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), text);
    QVERIFY(!saveTraceFile(dir.filePath(QStringLiteral("no/such/folder/trace.txt")), text, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_APPLESS_MAIN(TraceTest)
#include "tst_trace.moc"

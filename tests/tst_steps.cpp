// The sequencer's exchange table and the progress bar each transfer is shown on.
#include "protocol/steps.h"
#include "serial/link_rules.h"

#include <QSet>
#include <QTest>

class StepsTest : public QObject {
    Q_OBJECT
private slots:
    void exchangesPairTheirSteps();
    void errorStepDropsEveryRequest();
    void progress_data();
    void progress();
};

void StepsTest::exchangesPairTheirSteps() {
    QSet<qint32> codes;
    QSet<const void*> flags;
    RequestFlags probe;
    for (const Exchange& exchange : kExchanges) {
        // The response step follows its request step; no code serves two routines.
        QCOMPARE(exchange.response, exchange.request + 1);
        QVERIFY(!codes.contains(exchange.request) && !codes.contains(exchange.response));
        codes << exchange.request << exchange.response;
        flags.insert(&(probe.*exchange.flag));
        QCOMPARE(exchangeOf(exchange.request), &exchange);
        QCOMPARE(exchangeOf(exchange.response), &exchange);
    }
    QCOMPARE(flags.size(), int(kExchanges.size())); // one flag per exchange
    for (qint32 own : {Step::Init_Sio, Step::Synchronisation, Step::Syncresp, Step::DatenFehler})
        QCOMPARE(exchangeOf(own), nullptr);
}

void StepsTest::errorStepDropsEveryRequest() {
    RequestFlags flags;
    for (const Exchange& exchange : kExchanges)
        flags.*exchange.flag = true;
    QCOMPARE(nextRequestStep(flags), std::optional<qint32>(Step::Req_HW_Test));
    clearRequests(flags);
    QCOMPARE(nextRequestStep(flags), std::nullopt);
    // Every field of the flags, also one that the table forgot.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&flags), sizeof flags),
             QByteArray(sizeof flags, 0));
}

void StepsTest::progress_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("txCount");
    QTest::addColumn<int>("ram");
    QTest::addColumn<int>("eep"); // −1: unchanged

    QTest::newRow("RAM read, first of 124") << 4 << 0 << 124 << 1 << -1;
    QTest::newRow("RAM read, last of 124") << 4 << 123 << 124 << 100 << -1;
    QTest::newRow("synchronisation shows 0") << 2 << 5 << 10 << 0 << -1;
    QTest::newRow("identity on EEP") << 94 << 149 << 300 << 0 << 50;
    QTest::newRow("half rounds to even, down") << 6 << 0 << 200 << 0 << 0; // 0.5 → 0
    QTest::newRow("half rounds to even, up") << 6 << 2 << 200 << 0 << 2;   // 1.5 → 2
    QTest::newRow("half rounds to even, 2.5") << 8 << 4 << 200 << 0 << 2;  // 2.5 → 2
    QTest::newRow("hardware test on RAM bar") << 92 << 0 << 2 << 50 << -1;
    QTest::newRow("calibration on RAM bar") << 20 << 29 << 30 << 100 << -1;
    QTest::newRow("clock on EEP") << 10 << 47 << 48 << 0 << 100;
}

void StepsTest::progress() {
    QFETCH(int, step);
    QFETCH(int, pos);
    QFETCH(int, txCount);
    QFETCH(int, ram);
    QFETCH(int, eep);
    const ProgressUpdate update =
        progressFor(step, progressPercent(quint32(pos), quint32(txCount)));
    QCOMPARE(update.ram, ram);
    QCOMPARE(update.eep.value_or(-1), eep);
}

QTEST_GUILESS_MAIN(StepsTest)
#include "tst_steps.moc"

// When the live values count as stale: the sequencer's state as the display sees it, and
// the watch that marks the values after more than a second without a sound answer while
// the reading runs, with the time fixed by the test.
#include "live/staleness.h"

#include <QTest>

Q_DECLARE_METATYPE(LiveReading)

namespace {

// The request flags named in `pending`, e.g. "ram_rd_req data_rd_req".
RequestFlags flagsOf(const QString& pending) {
    static const std::pair<const char*, bool RequestFlags::*> kNames[] = {
        {"hw_test_req", &RequestFlags::hw_test_req},
        {"hw_info_req", &RequestFlags::hw_info_req},
        {"kal_wr_req", &RequestFlags::kal_wr_req},
        {"data_rd_req", &RequestFlags::data_rd_req},
        {"data_wr_req", &RequestFlags::data_wr_req},
        {"time_wr_req", &RequestFlags::time_wr_req},
        {"errmem_rd_req", &RequestFlags::errmem_rd_req},
        {"errmem_clr_req", &RequestFlags::errmem_clr_req},
        {"ram_rd_req", &RequestFlags::ram_rd_req},
    };
    RequestFlags flags;
    for (const QString& name : pending.split(' ', Qt::SkipEmptyParts)) {
        bool known = false;
        for (const auto& [text, flag] : kNames) {
            if (name == QLatin1String(text)) {
                flags.*flag = true;
                known = true;
            }
        }
        if (!known)
            qFatal("unknown flag %s", qPrintable(name));
    }
    return flags;
}

} // namespace

class StalenessTest : public QObject {
    Q_OBJECT
private slots:
    void readingOfTheSequencer_data();
    void readingOfTheSequencer();
    void watch_data();
    void watch();
};

void StalenessTest::readingOfTheSequencer_data() {
    QTest::addColumn<bool>("sequencerRunning");
    QTest::addColumn<QString>("pending");
    QTest::addColumn<LiveReading>("reading");
    using R = LiveReading;
    QTest::newRow("live reading") << true << "ram_rd_req" << R::Running;
    QTest::newRow("sequencer stopped (disconnect, error step, port change)")
        << false << "ram_rd_req" << R::Off;
    QTest::newRow("stopped, nothing pending") << false << "" << R::Off;
    QTest::newRow("connecting: hardware test first")
        << true << "hw_test_req hw_info_req ram_rd_req" << R::Paused;
    QTest::newRow("parameter read in place of a reading")
        << true << "data_rd_req ram_rd_req" << R::Paused;
    QTest::newRow("parameter write pauses the reading") << true << "data_wr_req" << R::Paused;
    QTest::newRow("clock write pauses the reading") << true << "time_wr_req" << R::Paused;
    QTest::newRow("fault memory clear first") << true << "errmem_clr_req ram_rd_req" << R::Paused;
    QTest::newRow("calibration first") << true << "kal_wr_req ram_rd_req" << R::Paused;
    QTest::newRow("idle at the synchronisation") << true << "" << R::Paused;
}

void StalenessTest::readingOfTheSequencer() {
    QFETCH(bool, sequencerRunning);
    QFETCH(QString, pending);
    QFETCH(LiveReading, reading);
    QCOMPARE(liveReadingOf(sequencerRunning, flagsOf(pending)), reading);
}

// A script of events at fixed times, in order. Each token is a letter, the time in ms and,
// for a check, what it must answer:
//   r, p, o  a check with the reading Running, Paused or Off; "+" stale, "-" fresh
//   f        a sound answer reached the display
//   h, u     a modal dialog of our own holds the watch, and lets it go
void StalenessTest::watch_data() {
    QTest::addColumn<QString>("script");
    QTest::newRow("answers every 300 ms stay fresh") << "r0- f300 r300- f600 r600- r1500- r1601+";
    QTest::newRow("a second exactly is not yet stale") << "r0- r1000- r1001+";
    QTest::newRow("timers held up for long: stale at the first look") << "r0- r5000+";
    QTest::newRow("a sound answer takes the mark away")
        << "r0- r1001+ r1500+ f1600 r1600- r2600- r2601+";
    QTest::newRow("connecting does not count: the wait starts with the reading")
        << "o0- p0- p5000- r5000- r5900- r6001+";
    QTest::newRow("a long parameter read starts the wait anew")
        << "r0- f100 r100- p200- p1500- r1500- r2400- r2501+";
    QTest::newRow("a write that pauses the reading for long") << "r0- f50 r50- p100- p8000- r8000- "
                                                                 "f8300 r8300-";
    QTest::newRow("a pause keeps a mark that was there")
        << "r0- r1001+ p1100+ p3000+ r3000+ r3500+ f3600 r3600-";
    QTest::newRow("the sequencer standing removes the mark; the wait starts anew")
        << "r0- r1001+ o1100- o9000- r9000- r9900- r10001+";
    QTest::newRow("disconnected: never stale") << "o0- o5000- o60000-";
    QTest::newRow("idle at the synchronisation: never stale") << "p0- p9000-";
    QTest::newRow("a dialog of our own does not count: the wait starts anew after it")
        << "r0- f100 r100- h200 r200- r5000- u5000 r5000- r5900- r6001+";
    QTest::newRow("under a dialog a mark that was there stays")
        << "r0- r1001+ h1100 r1100+ r4000+ u4000 r4000+ f4100 r4100-";
    QTest::newRow("nested dialogs: the time counts after the last")
        << "r0- h10 h20 r100- u2000 r3000- u3000 r3000- r3900- r4001+";
    QTest::newRow("the sequencer standing under a dialog removes the mark")
        << "r0- r1001+ h1100 o1200- u1300 r1300- r2200- r2301+";
}

void StalenessTest::watch() {
    QFETCH(QString, script);
    StaleWatch watch;
    for (const QString& token : script.split(' ', Qt::SkipEmptyParts)) {
        const QChar kind = token.front();
        if (kind == 'h' || kind == 'u') {
            kind == 'h' ? watch.hold() : watch.release();
            continue;
        }
        const bool check = kind != 'f';
        const qint64 now = token.mid(1, token.size() - (check ? 2 : 1)).toLongLong();
        if (!check) {
            watch.refreshed(now);
            QVERIFY(!watch.isStale());
            continue;
        }
        const LiveReading reading = kind == 'r'   ? LiveReading::Running
                                    : kind == 'p' ? LiveReading::Paused
                                                  : LiveReading::Off;
        const bool stale = token.back() == '+';
        QVERIFY2(watch.check(reading, now) == stale, qPrintable(token));
        QCOMPARE(watch.isStale(), stale);
    }
}

QTEST_APPLESS_MAIN(StalenessTest)
#include "tst_staleness.moc"

// Service access, offscreen: the password asked when the service page is selected, the
// pages and the limits group each level opens, and what a wrong entry or Cancel leaves.
#include "app/hauptfenster.h"

#include <QGroupBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr char kCancel[] = "(cancel)"; // the dialog closed with Cancel

// The tabs shown, as a string of six flags in page order (1 = shown): easy to read in a
// failure.
QString shownTabs(const THauptfenster& w) {
    QString flags;
    for (QWidget* page :
         {w.TabSheet1, w.TabSheet2, w.TabSheet3, w.TabSheet4, w.TabSheet5, w.TabSheet6})
        flags += w.PageControl1->isTabVisible(w.PageControl1->indexOf(page)) ? '1' : '0';
    return flags;
}

} // namespace

class AccessWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void entryOpensItsLevel_data();
    void entryOpensItsLevel();
    void lockedPageAsksEachTime();
    void acceptedPageNeverAsksAgain();
};

void AccessWindowTest::entryOpensItsLevel_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("tabs");
    QTest::addColumn<bool>("limits");

    // Refused entries leave the service page's tab, and only that, beside the first page.
    QTest::newRow("service") << QStringLiteral("qox") << 1 << QStringLiteral("110000") << false;
    QTest::newRow("calibration") << QStringLiteral("tarnel4") << 2 << QStringLiteral("111100")
                                 << false;
    QTest::newRow("full") << QStringLiteral("wopu3157") << 2 << QStringLiteral("111111") << true;
    QTest::newRow("capitals") << QStringLiteral("QOX") << 0 << QStringLiteral("110000") << false;
    QTest::newRow("trailing blank")
        << QStringLiteral("qox ") << 0 << QStringLiteral("110000") << false;
    QTest::newRow("empty") << QString() << 0 << QStringLiteral("110000") << false;
    // Cancel gives back the pre-filled word.
    QTest::newRow("cancel") << QString::fromLatin1(kCancel) << 0 << QStringLiteral("110000")
                            << false;
}

void AccessWindowTest::entryOpensItsLevel() {
    QFETCH(QString, entry);
    QFETCH(int, level);
    QFETCH(QString, tabs);
    QFETCH(bool, limits);

    THauptfenster w;
    QString askedCaption, askedPreset;
    w.passwordPrompt = [&](const QString& caption, const QString&, const QString& preset) {
        askedCaption = caption;
        askedPreset = preset;
        return entry == QLatin1String(kCancel) ? preset : entry;
    };
    w.PageControl1->setCurrentWidget(w.TabSheet2);

    QCOMPARE(askedCaption, w.GetInfoString(65));
    QCOMPARE(askedPreset, w.GetInfoString(163));
    QCOMPARE(w.passw_level, level);
    QCOMPARE(w.service_unlocked, level > 0);
    QCOMPARE(shownTabs(w), tabs);
    QCOMPARE(w.Grenzw_cont->isVisibleTo(w.TabSheet3), limits);
    // Accepted: the service page with its contents; refused: the first page again.
    QCOMPARE(w.PageControl1->currentWidget(), level > 0 ? w.TabSheet2 : w.TabSheet1);
    QCOMPARE(w.TabSheet2_contents->isHidden(), level == 0);
}

void AccessWindowTest::lockedPageAsksEachTime() {
    THauptfenster w;
    int asked = 0;
    w.passwordPrompt = [&](const QString&, const QString&, const QString& preset) {
        ++asked;
        return preset;
    };
    for (int attempt = 1; attempt <= 3; ++attempt) {
        w.PageControl1->setCurrentWidget(w.TabSheet2);
        QCOMPARE(asked, attempt);
        QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
    }
}

void AccessWindowTest::acceptedPageNeverAsksAgain() {
    THauptfenster w;
    int asked = 0;
    QString answer = QStringLiteral("qox");
    w.passwordPrompt = [&](const QString&, const QString&, const QString&) {
        ++asked;
        return answer;
    };
    w.PageControl1->setCurrentWidget(w.TabSheet2);
    QCOMPARE(asked, 1);

    // No way up from the service level: the calibration password is never asked for.
    answer = QStringLiteral("tarnel4");
    w.PageControl1->setCurrentWidget(w.TabSheet1);
    w.PageControl1->setCurrentWidget(w.TabSheet2);
    QCOMPARE(asked, 1);
    QCOMPARE(w.passw_level, 1);
    QCOMPARE(shownTabs(w), QStringLiteral("110000"));
    QVERIFY(!w.TabSheet2_contents->isHidden());
}

QTEST_MAIN(AccessWindowTest)
#include "tst_access_window.moc"

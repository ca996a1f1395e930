// A read counts only when two of its answers agree byte for byte.
#include "protocol/read_confirmation.h"

#include <QTest>

using Verdict = ReadConfirmation::Verdict;

class ReadConfirmationTest : public QObject {
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void nextReadStartsAfresh();
};

void ReadConfirmationTest::verdicts_data() {
    QTest::addColumn<QList<QByteArray>>("answers");
    QTest::addColumn<QList<int>>("verdicts");
    QTest::addColumn<QByteArray>("confirmed");
    const QByteArray a("\x02\x15\x00", 3), b("\x02\x16\x00", 3), c("\x02\x15\x01", 3);
    const int more = int(Verdict::NeedAnother), ok = int(Verdict::Confirmed),
              bad = int(Verdict::Corrupted);
    QTest::newRow("two alike") << QList{a, a} << QList{more, ok} << a;
    QTest::newRow("first spoiled, third decides") << QList{b, a, a} << QList{more, more, ok} << a;
    QTest::newRow("second spoiled, third decides") << QList{a, b, a} << QList{more, more, ok} << a;
    QTest::newRow("no two alike") << QList{a, b, c} << QList{more, more, bad} << QByteArray();
    // A shorter answer (the link stopped early) never agrees with a whole one.
    QTest::newRow("cut short") << QList{a, a.left(2), a} << QList{more, more, ok} << a;
}

void ReadConfirmationTest::verdicts() {
    QFETCH(QList<QByteArray>, answers);
    QFETCH(QList<int>, verdicts);
    QFETCH(QByteArray, confirmed);
    ReadConfirmation read;
    for (qsizetype i = 0; i < answers.size(); ++i)
        QCOMPARE(int(read.add(answers[i])), verdicts[i]);
    QCOMPARE(read.confirmed(), confirmed);
}

void ReadConfirmationTest::nextReadStartsAfresh() {
    ReadConfirmation read;
    read.add("x");
    QCOMPARE(read.add("x"), Verdict::Confirmed);
    // After a verdict the next answer begins a new read: one answer is never enough.
    QCOMPARE(read.add("y"), Verdict::NeedAnother);
    QCOMPARE(read.answers(), 1);
    QVERIFY(read.confirmed().isEmpty());
}

QTEST_GUILESS_MAIN(ReadConfirmationTest)
#include "tst_read_confirmation.moc"

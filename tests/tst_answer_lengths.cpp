// Every answer decoder takes the answer as far as the link received it: one byte short of
// what it reads is refused, the exact length decodes. The fuzz targets try every length;
// this names the boundary of each.
#include "live/ram_table.h"
#include "parameters/parameter_set.h"
#include "services/fault_ring.h"
#include "services/identity.h"

#include <QTest>
#include <functional>

namespace {

using Decoder = std::function<bool(QByteArrayView)>;

bool ramNew(QByteArrayView a) {
    TRam_Data ram;
    std::vector<GridRow> rows;
    const bool ok = parseNewRamAnswer(a, ram, rows).has_value();
    return ok && rows.size() == std::size_t(kNewRamWords);
}

bool ramOld(QByteArrayView a) {
    TRam_Data ram;
    std::vector<GridRow> rows;
    const bool ok = parseOldRamAnswer(a, ram, rows);
    // A refused answer leaves the rows as they were.
    return ok ? rows.size() == std::size_t(kOldRamWords) : !rows.empty();
}

} // namespace

Q_DECLARE_METATYPE(Decoder)

class AnswerLengthsTest : public QObject {
    Q_OBJECT
private slots:
    void shortAnswerRefused_data();
    void shortAnswerRefused();
};

void AnswerLengthsTest::shortAnswerRefused_data() {
    QTest::addColumn<Decoder>("decode");
    QTest::addColumn<int>("length"); // the bytes it reads

    QTest::newRow("identity, old")
        << Decoder([](QByteArrayView a) { return decodeOldIdentity(a).has_value(); }) << 80;
    QTest::newRow("identity, new")
        << Decoder([](QByteArrayView a) { return decodeNewIdentity(a).has_value(); }) << 295;
    QTest::newRow("RAM block read, new") << Decoder(ramNew) << 165;
    QTest::newRow("RAM word reads, old") << Decoder(ramOld) << 124;
    QTest::newRow("parameter read, new")
        << Decoder([](QByteArrayView a) { return decodeNewParameterRead(a).has_value(); }) << 245;
    QTest::newRow("parameter read, old")
        << Decoder([](QByteArrayView a) { return decodeOldParameterRead(a, 14).has_value(); })
        << 132;
    QTest::newRow("fault memory, new")
        << Decoder([](QByteArrayView a) { return faultAnswerWords(false, a).has_value(); }) << 245;
    QTest::newRow("fault memory, old")
        << Decoder([](QByteArrayView a) { return faultAnswerWords(true, a).has_value(); }) << 196;
}

void AnswerLengthsTest::shortAnswerRefused() {
    QFETCH(Decoder, decode);
    QFETCH(int, length);
    // Exactly sized heap copies, so a read past the end is caught by the sanitizers.
    const QByteArray full(length, '\x37');
    QVERIFY(decode(QByteArrayView(full)));
    const QByteArray shorter(length - 1, '\x37');
    QVERIFY(!decode(QByteArrayView(shorter)));
    QVERIFY(!decode(QByteArrayView()));
}

QTEST_APPLESS_MAIN(AnswerLengthsTest)
#include "tst_answer_lengths.moc"

// The parameter write's words from the field texts, and the texts that refuse the write.
#include "parameters/write_fields.h"

#include <QTest>

namespace {

ParameterFields soundFields() {
    ParameterFields f;
    f.profileTimes = {QTime(22, 0), QTime(5, 30), QTime(5, 0), QTime(6, 0),
                      QTime(22, 0), QTime(0, 0),  QTime(7, 0), QTime(8, 0)};
    f.takts = {"172", "100", "172", "172", "100", "172"};
    f.startHz = "55";
    f.burnInMinutes = "10";
    f.darkenSeconds = "200";
    f.brightenSeconds = "600";
    return f;
}

} // namespace

class WriteFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void conversions_data();
    void conversions();
    void refusals_data();
    void refusals();
};

void WriteFieldsTest::conversions_data() {
    QTest::addColumn<QString>("hz");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<int>("startTakt");
    QTest::addColumn<int>("seconds");
    QTest::newRow("55 Hz, 10 min") << "55"
                                   << "10" << 182 << 600;
    QTest::newRow("50 Hz, 3 min") << "50"
                                  << "3" << 200 << 180;
    QTest::newRow("70 Hz rounds 142.86 up") << "70"
                                            << "15" << 143 << 900;
    QTest::newRow("typed 12,5 min") << "55"
                                    << "12,5" << 182 << 750;
    QTest::newRow("1 Hz is still a word") << "1"
                                          << "0" << 10000 << 0;
}

void WriteFieldsTest::conversions() {
    QFETCH(QString, hz);
    QFETCH(QString, minutes);
    QFETCH(int, startTakt);
    QFETCH(int, seconds);
    ParameterFields f = soundFields();
    f.startHz = hz;
    f.burnInMinutes = minutes;
    const auto result = parameterSetFromFields(f, true);
    QVERIFY(std::holds_alternative<ParameterSet>(result));
    const ParameterSet& set = std::get<ParameterSet>(result);
    QCOMPARE(int(set.startTakt), startTakt);
    QCOMPARE(int(set.burnInSeconds), seconds);
    QCOMPARE(set.rampWord, quint16(0x1808));
    QCOMPARE(set.profileTimes[0], quint16(0x1600));
    QCOMPARE(set.profileTimes[1], quint16(0x051E));
    QCOMPARE(*taktWords(set.takts), (std::array<quint16, 3>{0x64AC, 0xACAC, 0xAC64}));
}

void WriteFieldsTest::refusals_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("withRampTimes");
    QTest::addColumn<int>("refused"); // RefusedField, -1: accepted
    QTest::addColumn<int>("index");
    const int takt = int(RefusedField::Takt), start = int(RefusedField::StartFrequency),
              burn = int(RefusedField::BurnIn), darken = int(RefusedField::Darken);
    QTest::newRow("takt above a byte") << "takt4"
                                       << "256" << true << takt << 4;
    QTest::newRow("takt not a number") << "takt0"
                                       << "abc" << true << takt << 0;
    QTest::newRow("takt negative") << "takt2"
                                   << "-2" << true << takt << 2;
    QTest::newRow("start 0 Hz") << "start"
                                << "0" << true << start << 0;
    QTest::newRow("start below 1 Hz") << "start"
                                      << "0,5" << true << start << 0;
    QTest::newRow("start empty") << "start"
                                 << "" << true << start << 0;
    QTest::newRow("burn-in empty") << "burn"
                                   << "" << true << burn << 0;
    QTest::newRow("burn-in beyond a word") << "burn"
                                           << "1093" << true << burn << 0;
    QTest::newRow("burn-in huge") << "burn"
                                  << "99999999999999999999" << true << burn << 0;
    QTest::newRow("ramp beyond a byte") << "darken"
                                        << "6400" << true << darken << 0;
    QTest::newRow("ramp not written, not checked") << "darken"
                                                   << "x" << false << -1 << 0;
}

void WriteFieldsTest::refusals() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, withRampTimes);
    QFETCH(int, refused);
    QFETCH(int, index);
    ParameterFields f = soundFields();
    if (field.startsWith("takt"))
        f.takts[std::size_t(field.mid(4).toInt())] = text;
    else if (field == "start")
        f.startHz = text;
    else if (field == "burn")
        f.burnInMinutes = text;
    else
        f.darkenSeconds = text;
    const auto result = parameterSetFromFields(f, withRampTimes);
    if (refused < 0) {
        QVERIFY(std::holds_alternative<ParameterSet>(result));
        return;
    }
    QVERIFY(std::holds_alternative<FieldRefusal>(result));
    const FieldRefusal& r = std::get<FieldRefusal>(result);
    QCOMPARE(int(r.field), refused);
    QCOMPARE(r.index, index);
    QCOMPARE(r.text, text);
}

QTEST_GUILESS_MAIN(WriteFieldsTest)
#include "tst_write_fields.moc"

// Parameter files: the fields' texts to an INI file and back, the defaults of missing keys,
// the savings recomputed from the takts, the extension rule, files written by Windows tools,
// and the files that are refused whole with a message naming the file, key and value.
#include "parameters/parameter_file.h"

#include "file_forms.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

ParameterFileFields someFields() {
    ParameterFileFields f;
    f.startHz = "60";
    f.burnInMinutes = "12";
    f.profileTimes = {QTime(21, 15), QTime(23, 30), QTime(4, 45), QTime(6, 10),
                      QTime(19, 0),  QTime(0, 0),   QTime(5, 0),  QTime(7, 5)};
    f.takts = {"172", "100", "157", "200", "50", "130"};
    f.savings = {"99", "98", "97", "96", "95", "94"}; // informative: never read back
    f.darkenSeconds = "100";
    f.brightenSeconds = "500";
    return f;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class ParameterFileTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void savingsFromTakts_data();
    void savingsFromTakts();
    void extensionRule_data();
    void extensionRule();
    void windowsFiles_data();
    void windowsFiles();
    void saveKeepsTheRestOfTheFile();
    void refusedFiles_data();
    void refusedFiles();
};

// Every field comes back as saved; the keys stand in the table's order with their colons.
void ParameterFileTest::roundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath("commission.ini");
    const ParameterFileFields f = someFields();
    const QDateTime when(QDate(2026, 3, 7), QTime(9, 5, 3));
    QCOMPARE(saveParameterFile(path, f, when), std::nullopt);

    const QList<QByteArray> lines = readAll(path).split('\n');
    QCOMPARE(lines.first(), QByteArray("[Options]\r"));
    QCOMPARE(lines.size(), 1 + 25 + 1); // the section, the keys, the end of the last line
    for (int i = 0; i < 25; ++i)
        QVERIFY2(lines[i + 1].startsWith(
                     QString::fromUtf16(kParameterFileKeys[std::size_t(i)]).toLatin1() + '='),
                 lines[i + 1].constData());
    QCOMPARE(lines[1], QByteArray("Datum:=07.03.2026 09:05:03\r"));
    QCOMPARE(lines[4], QByteArray("WT_Time1:=21:15:00\r"));
    QCOMPARE(lines[5], QByteArray("WT_P_Red1:=99\r"));

    const ParameterFileRead read = loadParameterFile(path);
    QVERIFY(std::holds_alternative<LoadedParameters>(read));
    const LoadedParameters& set = std::get<LoadedParameters>(read);
    QCOMPARE(set.startHz, 60);
    QCOMPARE(set.burnInMinutes, 12);
    QCOMPARE(set.profileTimes, f.profileTimes);
    QCOMPARE(set.takts, (std::array<int, 6>{172, 100, 157, 200, 50, 130}));
    QCOMPARE(set.darkenSeconds, 100);
    QCOMPARE(set.brightenSeconds, 500);
}

// The savings shown after a load come from the takts, whatever the file says of them.
void ParameterFileTest::savingsFromTakts_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("savings");
    QTest::addColumn<QStringList>("times");
    // The saving keys the takt overrode (a saving that is not its takt's).
    QTest::addColumn<QStringList>("overridden");
    const QStringList defaultSavings{"40", "67", "40", "40", "67", "40"};
    const QStringList defaultTimes{"20:00", "22:00", "05:00", "06:00",
                                   "20:00", "22:00", "05:00", "06:00"};
    QTest::newRow("only the section line: every default")
        << QByteArray("[Options]\r\n") << defaultSavings << defaultTimes << QStringList{};
    QTest::newRow("takt 172 saved with another saving")
        << QByteArray("[Options]\r\nWT_P_Red1:=12\r\nWT_Takt1:=172\r\n")
        << QStringList{"30", "67", "40", "40", "67", "40"} << defaultTimes
        << QStringList{"WT_P_Red1"};
    QTest::newRow("odd takt 157, short time format")
        << QByteArray("[Options]\r\nWE_Takt3:=157\r\nWE_Time2:=1:30\r\n")
        << QStringList{"40", "67", "40", "40", "67", "41"}
        << QStringList{"20:00", "22:00", "05:00", "06:00", "20:00", "01:30", "05:00", "06:00"}
        << QStringList{};
    QTest::newRow("savings that agree: whole, decimal comma, full stop")
        << QByteArray("[Options]\r\nWT_P_Red1:=40\r\nWT_P_Red2:=67,0\r\nWE_P_Red1:=40.2\r\n")
        << defaultSavings << defaultTimes << QStringList{};
    QTest::newRow("two that contradict, one not a number")
        << QByteArray("[Options]\r\nWT_P_Red2:=40\r\nWE_P_Red2:=67\r\nWE_P_Red3:=viel\r\n")
        << defaultSavings << defaultTimes << QStringList{"WT_P_Red2", "WE_P_Red3"};
}

void ParameterFileTest::savingsFromTakts() {
    QFETCH(QByteArray, body);
    QFETCH(QStringList, savings);
    QFETCH(QStringList, times);
    QFETCH(QStringList, overridden);
    IniFile ini;
    QVERIFY(ini.setBytes(body));
    const ParameterFileRead read = readParameterSet(ini);
    QVERIFY(std::holds_alternative<LoadedParameters>(read));
    const LoadedParameters& set = std::get<LoadedParameters>(read);
    const std::array<QString, 6> shown = set.savingTexts();
    QCOMPARE(QStringList(shown.begin(), shown.end()), savings);
    QStringList shownTimes;
    for (const QTime& t : set.profileTimes)
        shownTimes.append(t.toString("HH:mm"));
    QCOMPARE(shownTimes, times);
    QCOMPARE(set.overriddenKeys, overridden);
    if (body == "[Options]\r\n") {
        QCOMPARE(set.startHz, 55);
        QCOMPARE(set.burnInMinutes, 5);
        QCOMPARE(set.takts, (std::array<int, 6>{158, 100, 158, 158, 100, 158}));
        QCOMPARE(set.darkenSeconds, 200);
        QCOMPARE(set.brightenSeconds, 200);
    }
}

void ParameterFileTest::extensionRule_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "/x/commission"
                                  << "/x/commission.ini";
    QTest::newRow("another extension kept") << "/x/set.txt"
                                            << "/x/set.txt";
    QTest::newRow("dot of a folder name") << "/x/a.b/c"
                                          << "/x/a.b/c";
    QTest::newRow("dot five from the end") << "/x/set.i_ni"
                                           << "/x/set.i_ni.ini";
    QTest::newRow("short name") << "a"
                                << "a.ini";
}

void ParameterFileTest::extensionRule() {
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(withIniExtension(chosen), saved);
}

// Files as Windows tools write them load alike.
void ParameterFileTest::windowsFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString text = "; by hand\r\n[Other]\r\nWT_Takt1:=200\r\n[options]\r\n"
                         "startFREQUENZ:=60\r\nwt_takt1:=172\r\nOrt=Kälte\r\n";
    QTest::newRow("CRLF, mixed case, Windows-1252") << text.toLatin1();
    QTest::newRow("LF") << QString(text).replace("\r\n", "\n").toLatin1();
    QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + text.toUtf8();
    QTest::newRow("UTF-16LE with byte-order mark") << utf16le(text);
}

void ParameterFileTest::windowsFiles() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("set.ini");
    writeFile(path, bytes);
    const ParameterFileRead read = loadParameterFile(path);
    QVERIFY(std::holds_alternative<LoadedParameters>(read));
    const LoadedParameters& set = std::get<LoadedParameters>(read);
    QCOMPARE(set.startHz, 60);
    QCOMPARE(set.takts[0], 172); // the other section's key is not the set's
}

// Saving into a file keeps its comments, other sections and keys, its encoding and its
// line endings; the set's keys take their new values in place.
void ParameterFileTest::saveKeepsTheRestOfTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("set.ini");
    writeFile(path, "; Anlage K\xe4lte\n[Other]\nA=1\n\n[OPTIONS]\nstartfrequenz:=50\nOrt=x\n");
    QCOMPARE(saveParameterFile(path, someFields(), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
             std::nullopt);
    const QByteArray saved = readAll(path);
    QVERIFY(saved.startsWith("; Anlage K\xe4lte\n[Other]\nA=1\n\n[OPTIONS]\nStartfrequenz:=60\n"
                             "Ort=x\nDatum:=02.01.2026 03:04:05\nEinbrenndauer:=12\n"));
    QVERIFY(saved.endsWith("\nDimm_Up_time:=500\n"));
    QVERIFY(!saved.contains('\r'));
}

// A file is applied whole or not at all: anything wrong refuses it, with a message that
// names the file and, for a value, the key and the value.
void ParameterFileTest::refusedFiles_data() {
    using Reason = ParameterFileRefusal::Reason;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Reason>("reason");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QByteArray head = "[Options]\r\nStartfrequenz:=60\r\n";
    QTest::newRow("bad time") << head + "WT_Time2:=25:00:00\r\n"
                              << Reason::BadValue << "WT_Time2:"
                              << "25:00:00";
    QTest::newRow("time not a time") << head + "WE_Endtime:=sechs\r\n"
                                     << Reason::BadValue << "WE_Endtime:"
                                     << "sechs";
    QTest::newRow("not an integer") << head + "Einbrenndauer:=5,5\r\n"
                                    << Reason::BadValue << "Einbrenndauer:"
                                    << "5,5";
    QTest::newRow("takt 49") << head + "WT_Takt3:=49\r\n"
                             << Reason::BadValue << "WT_Takt3:"
                             << "49";
    QTest::newRow("takt 201") << head + "WE_Takt1:=201\r\n"
                              << Reason::BadValue << "WE_Takt1:"
                              << "201";
    QTest::newRow("start frequency 71")
        << QByteArray("[Options]\r\nStartfrequenz:=71\r\n") << Reason::BadValue << "Startfrequenz:"
        << "71";
    QTest::newRow("burn-in 2 min") << head + "Einbrenndauer:=2\r\n"
                                   << Reason::BadValue << "Einbrenndauer:"
                                   << "2";
    QTest::newRow("ramp not a step of 25") << head + "Dimm_Up_time:=210\r\n"
                                           << Reason::BadValue << "Dimm_Up_time:"
                                           << "210";
    QTest::newRow("ramp beyond 600") << head + "Dimm_Down_time:=625\r\n"
                                     << Reason::BadValue << "Dimm_Down_time:"
                                     << "625";
    QTest::newRow("first bad key in table order") << head + "Dimm_Down_time:=1\r\nWT_Takt1:=x\r\n"
                                                  << Reason::BadValue << "WT_Takt1:"
                                                  << "x";
    QTest::newRow("no Options section: another program's file")
        << QByteArray("[Option]\r\nCom=COM1\r\nLanguage=ger\r\n") << Reason::NoParameterSet << ""
        << "";
    QTest::newRow("binary") << QByteArray("MZ\x90\0\x03\0\0\0[Options]", 17) << Reason::NotIni << ""
                            << "";
    QTest::newRow("empty") << QByteArray("") << Reason::NotIni << ""
                           << "";
    QTest::newRow("beyond 1 MiB") << head + QByteArray(IniFile::kMaxBytes, ' ') << Reason::TooLarge
                                  << ""
                                  << "";
}

void ParameterFileTest::refusedFiles() {
    using Reason = ParameterFileRefusal::Reason;
    QFETCH(QByteArray, bytes);
    QFETCH(Reason, reason);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath("Anlage 7.ini");
    writeFile(path, bytes);
    const ParameterFileRead read = loadParameterFile(path);
    QVERIFY(std::holds_alternative<ParameterFileRefusal>(read));
    const ParameterFileRefusal& refusal = std::get<ParameterFileRefusal>(read);
    QCOMPARE(refusal.reason, reason);
    QCOMPARE(refusal.key, key);
    QCOMPARE(refusal.value, value);
    // Every language names the file, and the key and value when a value is refused.
    for (const Language language : {Language::English, Language::German, Language::Swedish,
                                    Language::French, Language::Turkish}) {
        const QString message = refusalMessage(language, path, refusal);
        QVERIFY2(message.contains(path) && message.contains(key) && message.contains(value) &&
                     !message.contains('%'),
                 qPrintable(message));
    }
}

QTEST_GUILESS_MAIN(ParameterFileTest)
#include "tst_parameter_file.moc"

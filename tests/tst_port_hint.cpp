// The hint beside a port that would not open: which error numbers get one, what it names,
// and that every language has it.
#include "serial/port_hint.h"

#include <QTest>
#include <cerrno>

Q_DECLARE_METATYPE(Language)

class PortHintTest : public QObject {
    Q_OBJECT
private slots:
    void hint_data();
    void hint();
    void everyLanguage_data();
    void everyLanguage();
    void lockFile_data();
    void lockFile();
};

void PortHintTest::hint_data() {
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("device");
    // What the English hint must hold; empty: no hint at all.
    QTest::addColumn<QStringList>("holds");
    const QString settings = QStringLiteral("/home/tech/.config/TRV5200/TRV5200.ini");
    QTest::newRow("permission, COM entry")
        << EACCES << "COM1"
        << "/dev/ttyS0"
        << QStringList{"/dev/ttyS0", "dialout", "sudo usermod -aG dialout $USER", "log out"};
    QTest::newRow("permission, device path")
        << EACCES << "/dev/ttyUSB0"
        << "/dev/ttyUSB0" << QStringList{"/dev/ttyUSB0", "sudo usermod -aG dialout $USER"};
    QTest::newRow("no device, default mapping")
        << ENOENT << "COM3"
        << "/dev/ttyS2"
        << QStringList{"COM3 stands for /dev/ttyS2", "[Ports]", settings, "COM3=/dev/ttyUSB0"};
    QTest::newRow("no device, mapped entry")
        << ENOENT << " com4 "
        << "/dev/serial/by-id/usb-FTDI-if00"
        << QStringList{"com4 stands for /dev/serial/by-id/usb-FTDI-if00", settings};
    QTest::newRow("no device, device path")
        << ENOENT << "/dev/ttyUSB1"
        << "/dev/ttyUSB1" << QStringList{"There is no device /dev/ttyUSB1"};
    QTest::newRow("busy, holder unknown")
        << EBUSY << "COM1"
        << "/dev/ttyS0"
        << QStringList{"/dev/ttyS0 is in use: another program",
                       "\"com deactivate\" keeps the port open",
                       "selecting another port or closing the window releases it"};
    QTest::newRow("not a serial port, device path")
        << ENOTTY << "/dev/null"
        << "/dev/null" << QStringList{"/dev/null is not a serial port"};
    QTest::newRow("not a serial port, COM entry")
        << ENOTTY << "COM2"
        << "/home/tech/notes.txt"
        << QStringList{"COM2 stands for /home/tech/notes.txt, which is not a serial port",
                       "[Ports]", settings};
    QTest::newRow("a folder") << EISDIR << "/tmp"
                              << "/tmp" << QStringList{"/tmp is not a serial port"};
    QTest::newRow("input/output error") << EIO << "COM1"
                                        << "/dev/ttyS0" << QStringList{};
    QTest::newRow("no error") << 0 << "COM1"
                              << "/dev/ttyS0" << QStringList{};
}

void PortHintTest::hint() {
    QFETCH(int, errorNumber);
    QFETCH(QString, entry);
    QFETCH(QString, device);
    QFETCH(QStringList, holds);
    const QString settings = QStringLiteral("/home/tech/.config/TRV5200/TRV5200.ini");
    const QString text = portOpenHint(errorNumber, entry, device, settings, Language::English);
    QCOMPARE(text.isEmpty(), holds.isEmpty());
    for (const QString& piece : holds)
        QVERIFY2(text.contains(piece), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1Char('%')), qPrintable(text));
}

void PortHintTest::everyLanguage_data() {
    QTest::addColumn<Language>("language");
    QTest::newRow("English") << Language::English;
    QTest::newRow("German") << Language::German;
    QTest::newRow("Swedish") << Language::Swedish;
    QTest::newRow("French") << Language::French;
    QTest::newRow("Turkish") << Language::Turkish;
}

// Each language names the command and the group, the entry, its device and the settings
// file; the texts differ from the English ones but for English itself.
void PortHintTest::everyLanguage() {
    QFETCH(Language, language);
    const QString settings = QStringLiteral("/s/TRV5200.ini");
    const QString permission = portOpenHint(EACCES, "COM2", "/dev/ttyS1", settings, language);
    QVERIFY2(permission.contains("sudo usermod -aG dialout $USER"), qPrintable(permission));
    QVERIFY(permission.contains("/dev/ttyS1"));
    const QString missing = portOpenHint(ENOENT, "COM2", "/dev/ttyS1", settings, language);
    for (const char* piece : {"COM2", "/dev/ttyS1", "[Ports]", "/s/TRV5200.ini"})
        QVERIFY2(missing.contains(piece), qPrintable(missing));
    const QString path = portOpenHint(ENOENT, "/dev/x", "/dev/x", settings, language);
    QVERIFY2(path.contains("/dev/x"), qPrintable(path));
    for (const QString& text : {permission, missing, path})
        QVERIFY2(!text.contains(QLatin1Char('%')), qPrintable(text));
    if (language != Language::English)
        QVERIFY(missing != portOpenHint(ENOENT, "COM2", "/dev/ttyS1", settings, Language::English));
    // A busy port: the holder's name and process, or for the window its button as the
    // window labels it in that language.
    const QString caption = GetInfoString(language, 101).trimmed();
    const QString byProgram =
        portOpenHint(EBUSY, "COM2", "/dev/ttyS1", settings, language, PortHolder{4711, "minicom"});
    for (const char* piece : {"/dev/ttyS1", "minicom", "4711"})
        QVERIFY2(byProgram.contains(piece), qPrintable(byProgram));
    const QString byWindow =
        portOpenHint(EBUSY, "COM2", "/dev/ttyS1", settings, language, PortHolder{815, "trv5200"});
    QVERIFY2(byWindow.contains("815") && byWindow.contains(caption), qPrintable(byWindow));
    const QString unknown = portOpenHint(EBUSY, "COM2", "/dev/ttyS1", settings, language);
    QVERIFY2(unknown.contains(caption), qPrintable(unknown));
    // The caption the window shows in its own language, when the hint is in another.
    QVERIFY(
        portOpenHint(EBUSY, "COM2", "/dev/ttyS1", settings, language, std::nullopt, "COM stoppen")
            .contains("COM stoppen"));
    const QString notSerial = portOpenHint(ENOTTY, "COM2", "/dev/null", settings, language);
    for (const char* piece : {"COM2", "/dev/null", "[Ports]"})
        QVERIFY2(notSerial.contains(piece), qPrintable(notSerial));
    for (const QString& text : {byProgram, byWindow, unknown, notSerial})
        QVERIFY2(!text.contains(QLatin1Char('%')), qPrintable(text));
    // No language chosen yet: the design language, German.
    QCOMPARE(portOpenHint(EACCES, "COM2", "/dev/ttyS1", settings, std::nullopt),
             portOpenHint(EACCES, "COM2", "/dev/ttyS1", settings, Language::German));
}

void PortHintTest::lockFile_data() {
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<qint64>("pid"); // 0: none
    QTest::newRow("QSerialPort's")
        << "/dev/ttyUSB0"
        << "LCK..ttyUSB0" << QByteArray("4711\ntrv5200\nhost\n") << qint64(4711);
    QTest::newRow("lockdev's") << "/dev/pts/3"
                               << "LCK..pts_3" << QByteArray("      4711\n") << qint64(4711);
    QTest::newRow("a path outside /dev") << "/tmp/x/ttyTRV"
                                         << "LCK.._tmp_x_ttyTRV" << QByteArray("12") << qint64(12);
    QTest::newRow("binary") << "/dev/ttyS0"
                            << "LCK..ttyS0" << QByteArray("\x67\x12\0\0", 4) << qint64(0);
    QTest::newRow("empty") << "/dev/ttyS0"
                           << "LCK..ttyS0" << QByteArray() << qint64(0);
}

// The lock file's name for a device and the process id it holds, in both text forms.
void PortHintTest::lockFile() {
    QFETCH(QString, device);
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(qint64, pid);
    QCOMPARE(lockFileName(device), name);
    QCOMPARE(lockFilePid(contents).value_or(0), pid);
}

QTEST_GUILESS_MAIN(PortHintTest)
#include "tst_port_hint.moc"

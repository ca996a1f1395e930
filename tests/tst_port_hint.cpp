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
    QTest::newRow("busy") << EBUSY << "COM1"
                          << "/dev/ttyS0" << QStringList{};
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
    // No language chosen yet: the design language, German.
    QCOMPARE(portOpenHint(EACCES, "COM2", "/dev/ttyS1", settings, std::nullopt),
             portOpenHint(EACCES, "COM2", "/dev/ttyS1", settings, Language::German));
}

QTEST_GUILESS_MAIN(PortHintTest)
#include "tst_port_hint.moc"

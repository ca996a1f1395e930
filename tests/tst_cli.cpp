// trv5200-cli end to end: the program itself against the controller simulator over a
// real pseudo-terminal, its output (--json) and its exit codes.
#include "cli/exit_codes.h"
#include "parameters/parameter_file.h"
#include "sim/simulator.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using trvsim::Generation;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { sim_.reset(); }
    void identify_data();
    void identify();
    void readSavesALoadableFile_data() { identify_data(); }
    void readSavesALoadableFile();
    void refusedInvocations_data();
    void refusedInvocations();

private:
    void startController(Generation generation, int revision);
    // The program with these arguments, on the controller's link; a generous read
    // time-out, as the test is not about it and the machine may be busy.
    Run cli(QStringList arguments, bool onController = true);
    QString link() const { return dir_.filePath(QStringLiteral("ttyTRV")); }

    QTemporaryDir dir_;
    std::unique_ptr<trvsim::Simulator> sim_;
};

void CliTest::init() {
    QVERIFY(dir_.isValid());
}

void CliTest::startController(Generation generation, int revision) {
    sim_ = std::make_unique<trvsim::Simulator>(generation, revision);
    QString error;
    QVERIFY2(sim_->start(&error), qPrintable(error));
    QVERIFY2(sim_->host().publishLink(link(), &error), qPrintable(error));
}

Run CliTest::cli(QStringList arguments, bool onController) {
    if (onController)
        arguments = QStringList{"--port", link(), "--read-timeout", "500"} + arguments;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir_.path()); // no settings file of the user's
    env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TRV_CLI), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void CliTest::identify_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("key");
    QTest::newRow("new hardware") << Generation::New << 14 << "new"
                                  << "product_code";
    QTest::newRow("old hardware") << Generation::Old << 14 << "old"
                                  << "revision";
}

void CliTest::identify() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    QFETCH(QString, expected);
    QFETCH(QString, key);
    startController(generation, revision);
    const Run run = cli({"--json", "identify"});
    QVERIFY2(run.exitCode == kExitSound, run.err.constData());
    const QJsonObject o = run.json();
    QCOMPARE(o.value("generation").toString(), expected);
    QVERIFY2(o.contains(key), run.out.constData());
    QVERIFY(o.value("calibration_value").toInt() > 0);
    if (generation == Generation::Old)
        QCOMPARE(o.value("revision").toInt(), revision);
}

// The set in the keys of a parameter file, and with --ini saved as one that the window's
// load accepts with the same values; a file that cannot be written is exit code 7.
void CliTest::readSavesALoadableFile() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    startController(generation, revision);
    const QString path = dir_.filePath("set.ini");
    const Run run = cli({"--json", "read", "--ini", path});
    QVERIFY2(run.exitCode == kExitSound, run.err.constData());
    const QJsonObject o = run.json();
    QVERIFY2(o.contains("WE_Endtime"), run.out.constData());

    const ParameterFileRead loaded = loadParameterFile(path);
    QVERIFY(std::holds_alternative<LoadedParameters>(loaded));
    const LoadedParameters& set = std::get<LoadedParameters>(loaded);
    QCOMPARE(o.value("Startfrequenz").toString(), QString::number(set.startHz));
    QCOMPARE(o.value("WT_Time1").toString(), set.profileTimes[0].toString("hh:mm:ss"));
    QCOMPARE(o.value("WE_Takt3").toString(), QString::number(set.takts[5]));

    const Run unwritable = cli({"read", "--ini", dir_.filePath("no/such/folder/set.ini")});
    QCOMPARE(unwritable.exitCode, int(kExitFile));
    QVERIFY(unwritable.out.contains("Startfrequenz: ")); // the set is shown all the same
}

void CliTest::refusedInvocations_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no command") << QStringList{} << int(kExitUsage);
    QTest::newRow("unknown command") << QStringList{"dance"} << int(kExitUsage);
    QTest::newRow("unknown option") << QStringList{"--colour", "identify"} << int(kExitUsage);
    QTest::newRow("read time-out out of range")
        << QStringList{"--read-timeout", "5", "identify"} << int(kExitUsage);
    QTest::newRow("no such port") << QStringList{"--port", "/nonexistent/tty", "identify"}
                                  << int(kExitPort);
    QTest::newRow("read with a stray argument")
        << QStringList{"--port", "/nonexistent/tty", "read", "--csv"} << int(kExitUsage);
    QTest::newRow("help") << QStringList{"--help"} << int(kExitSound);
}

void CliTest::refusedInvocations() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const Run run = cli(arguments, false);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == kExitPort)
        QVERIFY2(run.err.contains("Kein Zugriff auf /nonexistent/tty, Fehlernummer: 2"),
                 run.err.constData());
    if (arguments == QStringList{"--help"})
        QVERIFY(run.out.contains("Exit codes:"));
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"

// Parameter files and the light control through the window, offscreen: the configuration
// menu's save and load with the file dialog replaced by the test's choice, the fields, the
// up-downs, the status line and the write button after a load, refused files and failed
// saves; the sensor presets and the lux they give at full scale from the simulator.
#include "app/hauptfenster.h"
#include "app/widgets/field_colour.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/settings_location.h"
#include "parameters/parameter_file.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using trvsim::Generation;
using trvsim::Space;

namespace {

// Every field a parameter file holds, as the window shows it.
struct Shown {
    QStringList texts; // start settings, ramp times, takts, savings, times
    QList<int> positions;
    bool operator==(const Shown&) const = default;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kFullFile = "[Options]\r\nStartfrequenz:=62\r\nEinbrenndauer:=12\r\n"
                             "WT_Time1:=21:15:00\r\nWT_Takt1:=172\r\nWT_Time2:=23:30:00\r\n"
                             "WT_Takt2:=157\r\nWT_Time3:=04:45:00\r\nWT_Takt3:=200\r\n"
                             "WT_Endtime:=06:10:00\r\nWE_Time1:=19:00:00\r\nWE_Takt1:=50\r\n"
                             "WE_Time2:=00:00:00\r\nWE_Takt2:=130\r\nWE_Time3:=05:00:00\r\n"
                             "WE_Takt3:=100\r\nWE_Endtime:=07:05:00\r\n"
                             "Dimm_Down_time:=100\r\nDimm_Up_time:=500\r\n";

} // namespace

class ParameterFileWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }

    void loadAppliesEveryField();
    void saveThenLoadRestoresTheFields();
    void writeButtonFollowsTheLoadedProfile();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void lightPresets_data();
    void lightPresets();
    void individualKeepsThePresetNumbers();

private:
    // The menu item with the dialog answering path; records what the dialog was given.
    void choose(const QString& path);
    void load(const QString& path);
    void save(const QString& path);
    Shown shown() const;

    THauptfenster::FileDialogKind dialogKind_{};
    QString dialogFolder_, dialogFilter_, dialogPreset_;
    QTemporaryDir files_;
};

void ParameterFileWindowTest::choose(const QString& path) {
    w_->chooseParameterFile = [this, path](THauptfenster::FileDialogKind kind,
                                           const QString& folder, const QString& filter,
                                           const QString& preset) {
        dialogKind_ = kind;
        dialogFolder_ = folder;
        dialogFilter_ = filter;
        dialogPreset_ = preset;
        return path;
    };
}

void ParameterFileWindowTest::load(const QString& path) {
    choose(path);
    w_->config_load1->trigger();
}

void ParameterFileWindowTest::save(const QString& path) {
    choose(path);
    w_->config_save1->trigger();
}

Shown ParameterFileWindowTest::shown() const {
    Shown s;
    s.texts << w_->takt_burn_visu->text() << w_->time_burn_visu->text() << w_->Edit6->text()
            << w_->Edit10->text();
    for (const QLabel* takt : w_->periodTakts())
        s.texts << takt->text();
    for (const QLineEdit* saving : w_->periodSavings())
        s.texts << saving->text();
    for (const QTimeEdit* picker : w_->profilePickers())
        s.texts << picker->time().toString("HH:mm:ss");
    for (const TUpDown* upDown : {w_->UpDown2, w_->UpDown3, w_->UpDown7, w_->UpDown8})
        s.positions << upDown->Position();
    return s;
}

void ParameterFileWindowTest::loadAppliesEveryField() {
    createWindow();
    const QString path = files_.filePath("Anlage Nord.ini");
    writeFile(path, kFullFile);
    load(path);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QCOMPARE(dialogKind_, THauptfenster::FileDialogKind::Open);
    QCOMPARE(dialogFolder_, configFolderPath());
    QVERIFY(QDir(dialogFolder_).exists()); // ours, so created when missing
    QCOMPARE(dialogFilter_, QString("ini files (*.ini)"));
    QCOMPARE(dialogPreset_, QString("Inbetriebnahme_Test.ini"));

    const Shown s = shown();
    const QStringList settings{"62", "12", "100", "500"};
    const QStringList takts{"172", "157", "200", "50", "130", "100"};
    const QStringList savings{"30", "41", "0", "89", "55", "67"}; // from the takts
    const QStringList times{"21:15:00", "23:30:00", "04:45:00", "06:10:00",
                            "19:00:00", "00:00:00", "05:00:00", "07:05:00"};
    QCOMPARE(s.texts, settings + takts + savings + times);
    QCOMPARE(s.positions, (QList<int>{62, 12, 100, 500})); // each at its own edit's value
    QCOMPARE(w_->StatusBar3->panelText(1), "File:" + QDir::toNativeSeparators(path));
    for (const QTimeEdit* picker : w_->profilePickers())
        QVERIFY(!hasErrorColour(picker));
    QVERIFY(!w_->err_bit);
}

// What the fields show goes to the file and comes back; a name without extension gets .ini.
void ParameterFileWindowTest::saveThenLoadRestoresTheFields() {
    createWindow();
    const QString loaded = files_.filePath("full.ini");
    writeFile(loaded, kFullFile);
    load(loaded);
    const Shown before = shown();

    save(files_.filePath("commission"));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QCOMPARE(dialogKind_, THauptfenster::FileDialogKind::Save);
    QCOMPARE(dialogFilter_, QString("*.ini"));
    const QString saved = files_.filePath("commission.ini");
    QVERIFY(QFile::exists(saved));
    QVERIFY(!QFile::exists(files_.filePath("commission")));

    // A set of defaults in between.
    writeFile(files_.filePath("only-section.ini"), "[Options]\r\n");
    load(files_.filePath("only-section.ini"));
    QVERIFY(shown() != before);
    load(saved);
    QCOMPARE(shown(), before);
    QCOMPARE(w_->StatusBar3->panelText(1), "File:" + QDir::toNativeSeparators(saved));
}

// With the link running, the write after a load opens only for profiles in order.
void ParameterFileWindowTest::writeButtonFollowsTheLoadedProfile() {
    startController(Generation::New, 14, true);
    createWindow();
    connectAndIdentify();
    QVERIFY(w_->uC_send_bt->isEnabled());

    const QString outOfOrder = files_.filePath("out-of-order.ini");
    writeFile(outOfOrder, "[Options]\r\nWT_Time1:=20:00:00\r\nWT_Time2:=19:00:00\r\n");
    load(outOfOrder);
    QVERIFY(w_->err_bit);
    QVERIFY(!w_->uC_send_bt->isEnabled());
    QVERIFY(hasErrorColour(w_->DateTimePicker_Mo2)); // the pair's second: no picker sent it
    QVERIFY(!hasErrorColour(w_->DateTimePicker_Mo1));

    const QString inOrder = files_.filePath("in-order.ini");
    writeFile(inOrder, "[Options]\r\n");
    load(inOrder);
    QVERIFY(!w_->err_bit);
    QVERIFY(w_->uC_send_bt->isEnabled());
    QVERIFY(!hasErrorColour(w_->DateTimePicker_Mo2));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void ParameterFileWindowTest::refusedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("named"); // what the message names besides the file
    QTest::newRow("last key bad") << QByteArray(kFullFile).replace("Dimm_Up_time:=500",
                                                                   "Dimm_Up_time:=510")
                                  << QStringList{"Dimm_Up_time:", "510"};
    QTest::newRow("the settings file")
        << QByteArray("[Option]\r\nCom=COM1\r\n") << QStringList{"[Options]"};
    QTest::newRow("binary") << QByteArray("\0\1\2\3[Options]", 13) << QStringList{};
}

void ParameterFileWindowTest::refusedFileChangesNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, named);
    createWindow();
    const QString good = files_.filePath("good.ini");
    writeFile(good, "[Options]\r\n");
    load(good);
    const Shown before = shown();
    const QString status = w_->StatusBar3->panelText(1);

    // A file whose last key is bad would change every other field if it were applied.
    const QString bad = files_.filePath("bad.ini");
    writeFile(bad, bytes);
    load(bad);
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(QDir::toNativeSeparators(bad)), qPrintable(messages_[0]));
    for (const QString& text : named)
        QVERIFY2(messages_[0].contains(text), qPrintable(messages_[0]));
    QCOMPARE(shown(), before);
    QCOMPARE(w_->StatusBar3->panelText(1), status);
}

void ParameterFileWindowTest::failedSaveKeepsTheOldFile_data() {
    QTest::addColumn<bool>("readOnlyFolder"); // else a file-size limit cuts the write short
    QTest::newRow("read-only folder") << true;
    QTest::newRow("short write") << false;
}

void ParameterFileWindowTest::failedSaveKeepsTheOldFile() {
    QFETCH(bool, readOnlyFolder);
    if (readOnlyFolder && geteuid() == 0)
        QSKIP("a read-only folder does not stop root; the short write row covers the case");
    createWindow();
    QTemporaryDir dir;
    const QString path = dir.filePath("set.ini");
    const QByteArray old = "; old set\r\n[Options]\r\nStartfrequenz:=50\r\n";
    writeFile(path, old);

    if (readOnlyFolder) {
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        save(path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        // Writes beyond 64 bytes fail (EFBIG, the signal ignored): the new text, several
        // hundred bytes, is cut short.
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = before;
        limited.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        save(path);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
    }
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(QDir::toNativeSeparators(path)), qPrintable(messages_[0]));
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"set.ini"});
}

// Each sensor type: its numbers in locked edits, also over numbers typed under
// "Individual", and the illuminance at a full-scale input (1023) from the controller.
void ParameterFileWindowTest::lightPresets_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("m");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("lux");
    QTest::newRow("3-300") << 0 << "29,7"
                           << "3"
                           << "300,0";
    QTest::newRow("30-3000") << 1 << "297"
                             << "30"
                             << "3000,0";
    QTest::newRow("300-30000") << 2 << "2970"
                               << "300"
                               << "30000,0";
    QTest::newRow("600-60000") << 3 << "5940"
                               << "600"
                               << "60000,0";
}

void ParameterFileWindowTest::lightPresets() {
    QFETCH(int, index);
    QFETCH(QString, m);
    QFETCH(QString, n);
    QFETCH(QString, lux);
    startController(Generation::New, 14, true);
    sim_->model().poke(Space::Ram, 0x30 + 2 * 11, 1023); // the light sensor's input
    createWindow();
    w_->CB_Luxpara->setCurrentIndex(4);
    QVERIFY(w_->Edit_Lux_m->isEnabled());
    QVERIFY(w_->Edit_Lux_n->isEnabled());
    w_->Edit_Lux_m->setText("1");
    w_->Edit_Lux_n->setText("2");
    w_->CB_Luxpara->setCurrentIndex(index);
    QCOMPARE(w_->Edit_Lux_m->text(), m);
    QCOMPARE(w_->Edit_Lux_n->text(), n);
    QVERIFY(!w_->Edit_Lux_m->isEnabled());
    QVERIFY(!w_->Edit_Lux_n->isEnabled());

    connectAndIdentify();
    QVERIFY2(QTest::qWaitFor([&] { return w_->Lux_Ist->text() == lux; }, kWait),
             qPrintable(w_->Lux_Ist->text()));
}

void ParameterFileWindowTest::individualKeepsThePresetNumbers() {
    createWindow();
    w_->CB_Luxpara->setCurrentIndex(2);
    w_->CB_Luxpara->setCurrentIndex(4);
    QCOMPARE(w_->Edit_Lux_m->text(), QString("2970"));
    QCOMPARE(w_->Edit_Lux_n->text(), QString("300"));
    QVERIFY(w_->Edit_Lux_m->isEnabled());
    QVERIFY(w_->Edit_Lux_n->isEnabled());
}

QTEST_MAIN(ParameterFileWindowTest)
#include "tst_parameter_file_window.moc"

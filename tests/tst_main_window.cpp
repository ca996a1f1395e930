// The main window's shell, offscreen: the settings file at start and close, the numeric
// key filter of the start settings, the window size rule, the info window and the
// language chooser, the state the window starts in and the captions it is built with.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/lang_form.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/ini_file.h"
#include "base/message_sink.h"
#include "base/settings.h"
#include "base/settings_location.h"
#include "serial/sio.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void settingsAtStartAndClose_data();
    void settingsAtStartAndClose();
    void unwritableSettingsStillClose();

    void keyFilter_data();
    void keyFilter();
    void typingIntoBurnInTime();
    void enterMovesFocusOn_data();
    void enterMovesFocusOn();

    void upDownSteps_data();
    void upDownSteps();

    void windowSize_data();
    void windowSize();

    void startState();
    void captionsFromTheirRows_data();
    void captionsFromTheirRows();
    void infoWindowShowsIdentity();
    void languageChooserStoresChoice();
    void restoreFromMinimised();

private:
    void writeSettings(const QByteArray& text);
    QStringList messages_;
    MessageSink previousSink_;
};

void MainWindowTest::initTestCase() {
    // The settings file goes to the test location, never to a technician's real one.
    QStandardPaths::setTestModeEnabled(true);
    previousSink_ = setMessageSink([this](const QString& text) { messages_.append(text); });
}

void MainWindowTest::cleanupTestCase() {
    QDir(QFileInfo(settingsFilePath()).absolutePath()).removeRecursively();
    setMessageSink(previousSink_);
}

void MainWindowTest::init() {
    messages_.clear();
    QDir(QFileInfo(settingsFilePath()).absolutePath()).removeRecursively();
}

void MainWindowTest::writeSettings(const QByteArray& text) {
    QVERIFY(QDir().mkpath(QFileInfo(settingsFilePath()).absolutePath()));
    QFile file(settingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void MainWindowTest::settingsAtStartAndClose_data() {
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("listEntry"); // selected at start
    QTest::addColumn<QString>("comPort");   // com_port at start
    QTest::addColumn<QString>("language");  // language_code at start
    QTest::addColumn<QString>("storedCom"); // "Com" after the close
    QTest::newRow("COM7 selects the seventh entry")
        << true << QByteArray("[Option]\nCom=COM7\nLanguage=eng\n") << "COM7"
        << "COM7"
        << "eng"
        << "COM7";
    QTest::newRow("COM40 shows COM1, keeps the name until the close")
        << true << QByteArray("[Option]\nCom=COM40\nLanguage=ger\n") << "COM1"
        << "COM40"
        << "ger"
        << "COM1";
    QTest::newRow("empty Com is COM1") << true << QByteArray("[Option]\nCom=\n") << "COM1"
                                       << "COM1"
                                       << "none"
                                       << "COM1";
    QTest::newRow("keys in any case") << true << QByteArray("[option]\ncom=COM32\n") << "COM32"
                                      << "COM32"
                                      << "none"
                                      << "COM32";
    QTest::newRow("no file: defaults, the close creates it") << false << QByteArray() << "COM1"
                                                             << "COM1"
                                                             << "none"
                                                             << "COM1";
}

void MainWindowTest::settingsAtStartAndClose() {
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, file);
    QFETCH(QString, listEntry);
    QFETCH(QString, comPort);
    QFETCH(QString, language);
    QFETCH(QString, storedCom);
    if (fileExists)
        writeSettings(file);

    {
        THauptfenster w;
        QCOMPARE(w.ComboBox1->currentText(), listEntry);
        QCOMPARE(w.com_port, comPort);
        QCOMPARE(port_name, comPort);
        QCOMPARE(w.language_code, language);
        w.show();
        QVERIFY(w.close());
    }

    IniFile stored;
    QVERIFY(stored.load(settingsFilePath()));
    QVERIFY(stored.contains(QStringLiteral("Option"), QStringLiteral("Com")));
    QVERIFY(stored.contains(QStringLiteral("Option"), QStringLiteral("Language")));
    QCOMPARE(stored.value(QStringLiteral("Option"), QStringLiteral("Com")), storedCom);
    QCOMPARE(stored.value(QStringLiteral("Option"), QStringLiteral("Language")), language);
    QVERIFY(messages_.isEmpty());
}

void MainWindowTest::unwritableSettingsStillClose() {
    // A folder where the file should be: no INI writer can replace it.
    QVERIFY(QDir().mkpath(settingsFilePath()));
    THauptfenster w;
    w.show();
    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_.first().contains(QDir::toNativeSeparators(settingsFilePath())));
}

void MainWindowTest::keyFilter_data() {
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<bool>("passes");
    QTest::newRow("1") << QChar('1') << true;
    QTest::newRow("5") << QChar('5') << true;
    QTest::newRow("0") << QChar('0') << true;
    QTest::newRow("9") << QChar('9') << true;
    QTest::newRow("comma") << QChar(',') << true;
    QTest::newRow("backspace") << QChar(8) << true;
    QTest::newRow("letter") << QChar('a') << false;
    QTest::newRow("full stop") << QChar('.') << false;
    QTest::newRow("minus") << QChar('-') << false;
    QTest::newRow("blank") << QChar(' ') << false;
    QTest::newRow("Enter") << QChar(13) << false;
    QTest::newRow("superscript two") << QChar(0x00B2) << false;
}

void MainWindowTest::keyFilter() {
    QFETCH(QChar, typed);
    QFETCH(bool, passes);
    QChar key = typed;
    THauptfenster::FormKeyPress(key);
    QCOMPARE(key, passes ? typed : QChar(0));
}

void MainWindowTest::typingIntoBurnInTime() {
    THauptfenster w;
    w.show();
    w.time_burn_visu->clear();
    QTest::keyClicks(w.time_burn_visu, QStringLiteral("1a,.5x"));
    QCOMPARE(w.time_burn_visu->text(), QStringLiteral("1,5"));
    QTest::keyClick(w.time_burn_visu, Qt::Key_Backspace);
    QCOMPARE(w.time_burn_visu->text(), QStringLiteral("1,"));
}

void MainWindowTest::enterMovesFocusOn_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("start frequency") << QStringLiteral("takt_burn_visu");
    QTest::newRow("burn-in time") << QStringLiteral("time_burn_visu");
}

void MainWindowTest::enterMovesFocusOn() {
    QFETCH(QString, field);
    THauptfenster w;
    w.service_unlocked = true; // as after an accepted password
    w.PageControl1->setCurrentWidget(w.TabSheet2);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QLineEdit* edit =
        field == QLatin1String("takt_burn_visu") ? w.takt_burn_visu : w.time_burn_visu;
    const QString before = edit->text();
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!edit->hasFocus());
    QCOMPARE(edit->text(), before);
}

void MainWindowTest::upDownSteps_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("after");
    QTest::newRow("ramp time down by 25") << "Edit6"
                                          << "600" << false << "575";
    QTest::newRow("ramp time stops at 600") << "Edit6"
                                            << "600" << true << "600";
    QTest::newRow("ramp time stops at 25") << "Edit10"
                                           << "25" << false << "25";
    QTest::newRow("ramp time from a loaded file") << "Edit10"
                                                  << "100" << true << "125";
    QTest::newRow("start frequency stops at 70") << "takt_burn_visu"
                                                 << "70" << true << "70";
    QTest::newRow("start frequency up by 1") << "takt_burn_visu"
                                             << "55" << true << "56";
    QTest::newRow("burn-in time stops at 3") << "time_burn_visu"
                                             << "3" << false << "3";
    QTest::newRow("start voltage stops at 250") << "Edit7"
                                                << "250" << true << "250";
}

void MainWindowTest::upDownSteps() {
    QFETCH(QString, field);
    QFETCH(QString, shown);
    QFETCH(bool, up);
    QFETCH(QString, after);
    THauptfenster w;
    const QHash<QString, std::pair<QLineEdit*, TUpDown*>> pairs = {
        {"Edit6", {w.Edit6, w.UpDown7}},
        {"Edit10", {w.Edit10, w.UpDown8}},
        {"takt_burn_visu", {w.takt_burn_visu, w.UpDown2}},
        {"time_burn_visu", {w.time_burn_visu, w.UpDown3}},
        {"Edit7", {w.Edit7, w.UpDown6}}};
    const auto [edit, upDown] = pairs.value(field);
    QVERIFY(edit && upDown);
    edit->setText(shown);
    upDown->click(up ? TUpDown::Up : TUpDown::Down);
    QCOMPARE(edit->text(), after);
    QCOMPARE(upDown->Position(), after.toInt());
}

void MainWindowTest::windowSize_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::newRow("1366 x 768") << QSize(1366, 768) << QSize(800, 572);
    QTest::newRow("full HD") << QSize(1920, 1040) << QSize(800, 572);
    QTest::newRow("netbook 1024 x 600") << QSize(1024, 576) << QSize(800, 572);
    QTest::newRow("low screen") << QSize(1024, 540) << QSize(800, 540);
    QTest::newRow("narrow screen") << QSize(640, 480) << QSize(640, 480);
    QTest::newRow("exactly 800 wide") << QSize(800, 600) << QSize(800, 572);
}

void MainWindowTest::windowSize() {
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QCOMPARE(THauptfenster::mainWindowSize(screen), window);
}

void MainWindowTest::startState() {
    THauptfenster w;

    // Pages: the first is active; only it and the service page have their tabs, and the
    // service page waits for a password.
    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
    const auto tabShown = [&w](QWidget* page) {
        return w.PageControl1->isTabVisible(w.PageControl1->indexOf(page));
    };
    QVERIFY(tabShown(w.TabSheet1));
    QVERIFY(tabShown(w.TabSheet2));
    for (QWidget* page : {w.TabSheet3, w.TabSheet4, w.TabSheet5, w.TabSheet6})
        QVERIFY(!tabShown(page));
    QVERIFY(w.TabSheet2_contents->isHidden());
    QVERIFY(w.Grenzw_cont->isHidden());
    QVERIFY(!w.service_unlocked);

    for (QPushButton* button :
         {w.uC_send_bt, w.uC_read_bt, w.err_mem_read_bt, w.err_mem_clear_bt, w.clk_bt})
        QVERIFY(!button->isEnabled());
    QCOMPARE(w.ComboBox1->count(), 32);
    QCOMPARE(w.ComboBox1->itemText(31), QStringLiteral("COM32"));

    // Texts until the first reading.
    QCOMPARE(w.uC_Zeit->text(), QStringLiteral("01.01.2000   00:00"));
    QCOMPARE(w.uC_Zeit2->text(), QStringLiteral("01.01.2000   00:00"));
    QCOMPARE(w.h_all->text(), QStringLiteral("0,0 h"));
    QCOMPARE(w.h_dimm->text(), QStringLiteral("0,0 h"));
    QCOMPARE(w.t_lauf_anz->text(), QStringLiteral("0 min"));
    QCOMPARE(QStringList({w.wt1_takt->text(), w.wt2_takt->text(), w.wt3_takt->text(),
                          w.we1_takt->text(), w.we2_takt->text(), w.we3_takt->text()}),
             QStringList({"172", "100", "172", "172", "100", "172"}));
    QCOMPARE(QStringList({w.edit_WT_Red1->text(), w.edit_WT_Red2->text(), w.edit_WT_Red3->text(),
                          w.edit_WE_Red1->text(), w.edit_WE_Red2->text(), w.edit_WE_Red3->text()}),
             QStringList({"30", "67", "30", "30", "67", "30"}));
    QCOMPARE(w.takt_burn->text(), QStringLiteral("55"));
    QCOMPARE(w.takt_burn_visu->text(), QStringLiteral("55"));
    QCOMPARE(w.time_burn->text(), QStringLiteral("10"));
    QCOMPARE(w.time_burn_visu->text(), QStringLiteral("10"));
    QCOMPARE(w.edit_WT_Red_end->text(), QStringLiteral("0"));
    QCOMPARE(w.edit_WE_Red_end->text(), QStringLiteral("0"));
    QCOMPARE(w.Edit12->text(), QStringLiteral("600"));
    QCOMPARE(w.Edit13->text(), QStringLiteral("600"));
    for (QTimeEdit* picker : {w.DateTimePicker_Mo1, w.DateTimePicker_Mo2, w.DateTimePicker_Mo3,
                              w.DateTimePicker_Mo_End, w.DateTimePicker_Sa1, w.DateTimePicker_Sa2,
                              w.DateTimePicker_Sa3, w.DateTimePicker_Sa_End})
        QCOMPARE(picker->displayFormat(), QStringLiteral("HH:mm"));
    QCOMPARE(w.StatusBar3->panelText(0), QStringLiteral("Version: "));
    QVERIFY(w.Franzsich1->isChecked());

    // Fault-memory grid: heading row, 16 numbered records, a narrow number column.
    QCOMPARE(w.StringGrid1->rowCount(), 17);
    QCOMPARE(w.StringGrid1->columnCount(), 3);
    QCOMPARE(w.StringGrid1->columnWidth(0), 30);
    QCOMPARE(w.StringGrid1->item(1, 0)->text(), QStringLiteral("1."));
    QCOMPARE(w.StringGrid1->item(16, 0)->text(), QStringLiteral("16."));
    QCOMPARE(w.StringGrid2->rowCount(), 110);
    QCOMPARE(w.StringGrid2->columnCount(), 7);
    QCOMPARE(w.StringGrid3->rowCount(), 110);

    QCOMPARE(w.CB_Luxpara->currentIndex(), 0);
    QCOMPARE(w.Edit_Lux_m->text(), QStringLiteral("29,7"));
    QCOMPARE(w.Edit_Lux_n->text(), QStringLiteral("3"));
}

void MainWindowTest::captionsFromTheirRows_data() {
    // In every language, so a control that shows a literal equal to the German text of
    // its row does not pass for one labelled from the row.
    QTest::addColumn<int>("language");
    QTest::newRow("German") << int(Language::German);
    QTest::newRow("English") << int(Language::English);
    QTest::newRow("Swedish") << int(Language::Swedish);
    QTest::newRow("French") << int(Language::French);
    QTest::newRow("Turkish") << int(Language::Turkish);
}

void MainWindowTest::captionsFromTheirRows() {
    QFETCH(int, language);
    THauptfenster::setDesignLanguage(Language(language));
    const auto restore = qScopeGuard([] { THauptfenster::setDesignLanguage(Language::German); });
    THauptfenster w;

    QVERIFY(!w.captionRows().empty());
    for (const CaptionRow& caption : w.captionRows()) {
        const QByteArray where = QByteArray("row ") + QByteArray::number(caption.row) + " part " +
                                 QByteArray::number(caption.part);
        QVERIFY2(caption.control, where.constData());
        // A control of this window: the window itself or one of its descendants.
        QObject* up = caption.control;
        while (up && up != &w)
            up = up->parent();
        QVERIFY2(up == &w, where.constData());
        QCOMPARE(shownCaption(caption), THauptfenster::designText(caption.row));
    }
}

void MainWindowTest::infoWindowShowsIdentity() {
    THauptfenster w;
    w.Infofenst->show();
    QCOMPARE(w.Infofenst->HW_nr->text(), QStringLiteral("0.0   "));
    QCOMPARE(w.Infofenst->Versionsnr->text(), QStringLiteral("5.3"));
    QCOMPARE(w.Infofenst->Erst_Date->text(), QStringLiteral("07.05.2012"));
    QVERIFY(w.Infofenst->HWV_read_bt->isHidden());
    w.Infofenst->hide();

    // Every showing reads the identity again.
    w.HW_Produktcode = QStringLiteral("TRV5200-230");
    w.SW_Date = QStringLiteral("12.03.2011");
    w.Infofenst->show();
    QCOMPARE(w.Infofenst->HW_nr->text(), QStringLiteral("TRV5200-230   12.03.2011"));
}

void MainWindowTest::languageChooserStoresChoice() {
    {
        THauptfenster w;
        QCOMPARE(w.language_code, QStringLiteral("none"));
        w.show();
        w.startLanguage(); // nothing stored yet: the chooser
        QVERIFY(w.lang_form->isVisible());
        QCOMPARE(w.lang_form->ComboBox1->currentText(), QString());
        w.lang_form->ComboBox1->setCurrentIndex(w.lang_form->ComboBox1->findText("English"));
        w.lang_form->ComboBox1Click();
        QVERIFY(!w.lang_form->isVisible());
        QCOMPARE(w.language_code, QStringLiteral("eng"));
        // The choice labels the window at once.
        QVERIFY(w.english1->isChecked());
        QCOMPARE(w.windowTitle(), QStringLiteral("Veltrona - skaLUX - visualisation TRV 5.3"));
        QVERIFY(w.close());
    }
    QCOMPARE(readSettingsFile(settingsFilePath()).language_code, QStringLiteral("eng"));
}

void MainWindowTest::restoreFromMinimised() {
    THauptfenster w;
    w.show();
    w.showMinimized();
    QVERIFY(w.isMinimized());
    w.RestoreRequest();
    QVERIFY(!w.isMinimized());
    QVERIFY(w.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"

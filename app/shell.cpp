// The window's shell: what happens when it is created and closed, the numeric key filter
// of the start-setting fields, the info window and a second start's restore request.
#include "app/hauptfenster.h"

#include "app/info_window.h"
#include "app/lang_form.h"
#include "base/formats.h"
#include "base/ini_file.h"
#include "base/message_sink.h"
#include "base/settings.h"
#include "base/settings_location.h"
#include "serial/port_map.h"
#include "serial/sio.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>

namespace {
// The largest window the program opens with: the design client area of 784 × 516 with
// menu, title bar and frame of a technician's laptop around it.
constexpr int kMaxWindowWidth = 800;
constexpr int kMaxWindowHeight = 572;
// What the window manager adds around the window's contents (title bar and borders).
const QSize kFrameAllowance(16, 32);
} // namespace

QSize THauptfenster::mainWindowSize(const QSize& availableScreen) {
    return {qMin(kMaxWindowWidth, availableScreen.width()),
            qMin(kMaxWindowHeight, availableScreen.height())};
}

void THauptfenster::FormKeyPress(QChar& key) {
    static const QString accepted = QStringLiteral("0123456789,");
    if (key != QChar(8) && !accepted.contains(key))
        key = QChar(0);
}

void THauptfenster::FormCreate() {
    // 1. Size: at most 800 × 572 and never larger than the screen, centred on it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const QSize outer = mainWindowSize(available.size());
        resize(outer - kFrameAllowance);
        move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
    }

    // 2. Fixed number and date formats.
    fs = fixedLocale();
    applyFixedFormats();

    // 3. The calibration, measurement and light-control tabs wait for a password; the
    //    parameter-memory tab is hidden.
    for (QWidget* page : {TabSheet3, TabSheet4, TabSheet6, TabSheet5})
        PageControl1->setTabVisible(PageControl1->indexOf(page), false);

    // 4. Settings file: port and language, and where each COM entry leads.
    IniFile ini;
    ini.load(settingsFilePath());
    const StartSettings settings = readSettings(ini);
    com_port = settings.com_port;
    language_code = settings.language_code;
    loadPortOverrides(ini);
    refreshComToolTips();

    // 5. The list shows the stored port, or its first entry for a name it does not hold;
    //    com_port keeps the stored name either way.
    QStringList entries;
    for (int i = 0; i < ComboBox1->count(); ++i)
        entries.append(ComboBox1->itemText(i));
    ComboBox1->setCurrentIndex(comListIndex(entries, com_port));

    // 6. First page, without the page-change handling that asks for the password.
    {
        const QSignalBlocker blocker(PageControl1);
        PageControl1->setCurrentWidget(TabSheet1);
    }
    service_unlocked = false;
    port_name = com_port;

    // 7. The connect action enables these.
    for (QPushButton* button : {uC_send_bt, uC_read_bt, err_mem_read_bt, err_mem_clear_bt})
        button->setEnabled(false);

    // 8. Profile times: time of day only, hours and minutes.
    for (QTimeEdit* picker : profilePickers())
        picker->setDisplayFormat(QStringLiteral("HH:mm"));

    // 9. Texts until the first reading. The dimming end has no saving of its own: a
    //    fixed 0.
    const QString noClock = QStringLiteral("01.01.2000   00:00");
    uC_Zeit->setText(noClock);
    uC_Zeit2->setText(noClock);
    PC_Zeit->setText(noClock);
    h_all->setText(QStringLiteral("0,0 h"));
    h_dimm->setText(QStringLiteral("0,0 h"));
    t_lauf_anz->setText(QStringLiteral("0 min"));
    wt1_takt->setText(QStringLiteral("172"));
    wt2_takt->setText(QStringLiteral("100"));
    wt3_takt->setText(QStringLiteral("172"));
    we1_takt->setText(QStringLiteral("172"));
    we2_takt->setText(QStringLiteral("100"));
    we3_takt->setText(QStringLiteral("172"));
    edit_WT_Red1->setText(QStringLiteral("30"));
    edit_WT_Red2->setText(QStringLiteral("67"));
    edit_WT_Red3->setText(QStringLiteral("30"));
    edit_WT_Red_end->setText(QStringLiteral("0"));
    edit_WE_Red1->setText(QStringLiteral("30"));
    edit_WE_Red2->setText(QStringLiteral("67"));
    edit_WE_Red3->setText(QStringLiteral("30"));
    edit_WE_Red_end->setText(QStringLiteral("0"));

    // 10. Live display at rest.
    init_anzeige();

    // 11. Start settings and ramp times last read. The fields to write beside them show
    //     their up-downs' start positions (55 Hz, 10 min, 600 s).
    takt_burn->setText(QStringLiteral("55"));
    time_burn->setText(QStringLiteral("10"));
    Edit12->setText(QStringLiteral("600"));
    Edit13->setText(QStringLiteral("600"));

    // 12. Variable tables: names and norms; the measurement page's grid.
    init_ram_table();
    wireMeasurementPage();

    // 13. Record numbers of the fault memory.
    for (int r = 1; r <= 16; ++r)
        StringGrid1->item(r, 0)->setText(QString::number(r) + QLatin1Char('.'));

    // 14. First light-sensor preset and its slope and offset.
    if (CB_Luxpara->count() > 0)
        CB_Luxpara->setCurrentIndex(0);
    Edit_Lux_m->setText(QStringLiteral("29,7"));
    Edit_Lux_n->setText(QStringLiteral("3"));
}

void THauptfenster::FormCloseQuery() {
    const QString path = settingsFilePath();
    QString error;
    if (!writeSettingsFile(path, ComboBox1->currentText(), language_code, &error))
        showMessage(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden:\n%1\n\n%2")
                        .arg(QDir::toNativeSeparators(path), error));
    if (sio_active)
        Com_activate_btClick();
}

void THauptfenster::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    endTrendRecordingAtClose();
    // The chooser may still be open at the first start; it ends with the window.
    lang_form->close();
    Infofenst->close();
    event->accept();
}

void THauptfenster::about1Click() {
    Infofenst->exec();
}

void THauptfenster::RestoreRequest() {
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool THauptfenster::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == this || watched == takt_burn_visu || watched == time_burn_visu)) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const QString text = keyEvent->text();
        if (text.size() != 1)
            return false; // cursor and function keys type nothing
        QChar key = text.front();
        const bool enter = key == QLatin1Char('\r') || key == QLatin1Char('\n');
        // Control characters (backspace, Ctrl+C, Escape, Delete) are editing commands,
        // not typed characters; only Enter among them goes through the filter.
        if (!enter && !key.isPrint())
            return false;
        FormKeyPress(key);
        if (enter)
            focusNextChild();
        return key.isNull();
    }
    if (watched == Label59 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Label59->rect().contains(mouse->position().toPoint()))
            about1Click();
        return false;
    }
    if (watched == ComboBox1->view() && event->type() == QEvent::Show)
        refreshComToolTips();
    return QMainWindow::eventFilter(watched, event);
}

// Every caption fits its control at the window's design size, in every language: no
// label, button, group title or tab text is cut. Offscreen, with the fonts of the test
// machine, so a caption that needs more room than its layout gives fails here first.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/widgets/status_line.h"
#include "text/own_texts.h"
#include "text/trace_texts.h"
#include "text/write_failure_texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

using Handler = void (THauptfenster::*)();

// The design client area: the largest window less what the window manager adds.
const QSize kDesignSize(784, 540);

QString nameOf(const QWidget* widget, const QString& text) {
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(widget->metaObject()->className()), text);
}

// Captions of `root` and below that do not fit, one line each.
QStringList cutCaptions(QWidget* root) {
    QStringList cut;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(root) || label->text().isEmpty() || !label->pixmap().isNull())
            continue;
        const QRect room = label->contentsRect();
        const bool fits =
            label->wordWrap()
                ? label->heightForWidth(room.width()) <= room.height()
                : label->fontMetrics().horizontalAdvance(label->text()) <= room.width() + 1;
        if (!fits)
            cut << nameOf(label, label->text());
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(root) || button->text().isEmpty() ||
            qobject_cast<QTabBar*>(button->parentWidget()))
            continue;
        if (button->sizeHint().width() > button->width() + 1)
            cut << nameOf(button, button->text());
    }
    for (QGroupBox* box : root->findChildren<QGroupBox*>()) {
        if (!box->isVisibleTo(root) || box->title().isEmpty())
            continue;
        // A group box asks for at least the room of its title; narrower, the title is cut.
        if (box->minimumSizeHint().width() > box->width())
            cut << nameOf(box, box->title());
    }
    for (QTabBar* bar : root->findChildren<QTabBar*>()) {
        for (int i = 0; i < bar->count(); ++i) {
            if (!bar->isTabVisible(i))
                continue;
            if (bar->tabRect(i).width() < bar->fontMetrics().horizontalAdvance(bar->tabText(i)) ||
                bar->tabRect(i).right() > bar->width())
                cut << QStringLiteral("tab \"%1\"").arg(bar->tabText(i));
        }
    }
    return cut;
}

} // namespace

Q_DECLARE_METATYPE(Handler)

class TextFitsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void everyCaptionFits_data();
    void everyCaptionFits();
};

void TextFitsTest::everyCaptionFits_data() {
    QTest::addColumn<Handler>("handler");
    QTest::newRow("German") << &THauptfenster::german1Click;
    QTest::newRow("English") << &THauptfenster::english1Click;
    QTest::newRow("Swedish") << &THauptfenster::Schwe1Click;
    QTest::newRow("French") << &THauptfenster::Franzsich1Click;
    QTest::newRow("Turkish") << &THauptfenster::tuerk1Click;
}

void TextFitsTest::everyCaptionFits() {
    QFETCH(Handler, handler);
    THauptfenster w;
    (w.*handler)();
    // Every page and group as at the full access level.
    for (int i = 0; i < w.PageControl1->count(); ++i)
        w.PageControl1->setTabVisible(i, true);
    w.service_unlocked = true;
    w.TabSheet2_contents->show();
    w.Grenzw_cont->show();
    w.resize(kDesignSize);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // The window keeps its design size: no page asks for more.
    QVERIFY2(w.minimumSizeHint().width() <= kDesignSize.width() &&
                 w.minimumSizeHint().height() <= kDesignSize.height(),
             qPrintable(QStringLiteral("minimum %1 x %2")
                            .arg(w.minimumSizeHint().width())
                            .arg(w.minimumSizeHint().height())));
    QCOMPARE(w.size(), kDesignSize);

    QStringList cut;
    for (int i = 0; i < w.PageControl1->count(); ++i) {
        w.PageControl1->setCurrentIndex(i);
        QCoreApplication::processEvents();
        for (const QString& caption : cutCaptions(w.PageControl1->widget(i)))
            cut << w.PageControl1->tabText(i) + ": " + caption;
    }
    for (const QString& caption : cutCaptions(w.PageControl1->tabBar()))
        cut << caption;
    // The bottom bar and the status line, outside the pages.
    for (const QString& caption : cutCaptions(w.centralWidget()))
        if (!cut.contains(caption))
            cut << caption;

    // The notes of the status line's message panel: stale live values, a fault-memory
    // position beyond the ring (with the largest position a word can hold), the link
    // diagnosis (with the last byte of the longest telegram).
    for (const QString& note :
         {ownText(w.activeLanguage(), OwnText::LiveValuesStale),
          ownText(w.activeLanguage(), OwnText::FaultPositionImpossible).arg(65535),
          traceText(w.activeLanguage(), TraceText::DiagnosisNoAnswer),
          traceText(w.activeLanguage(), TraceText::DiagnosisAnswerStopped).arg(1024),
          traceText(w.activeLanguage(), TraceText::DiagnosisWrongBytes),
          traceText(w.activeLanguage(), TraceText::DiagnosisPortLost),
          writeFailureText(w.activeLanguage(), WriteFailureText::ParameterWrite),
          writeFailureText(w.activeLanguage(), WriteFailureText::ClockWrite),
          writeFailureText(w.activeLanguage(), WriteFailureText::FaultMemoryClear),
          writeFailureText(w.activeLanguage(), WriteFailureText::CalibrationWrite)}) {
        w.StatusBar3->setPanelText(TStatusLine::kMessagePanel, note);
        QCoreApplication::processEvents();
        for (const QString& caption : cutCaptions(w.StatusBar3))
            cut << "status line: " + caption;
    }

    w.Infofenst->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Infofenst));
    for (const QString& caption : cutCaptions(w.Infofenst))
        cut << "info window: " + caption;
    w.Infofenst->hide();

    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
}

QTEST_MAIN(TextFitsTest)
#include "tst_text_fits.moc"

// Languages at run time, offscreen: the five menu handlers, every caption of the main
// window and the info window from its row in the chosen language, the connect button by
// the link state, and the language a stored code applies at start.
#include "app/hauptfenster.h"
#include "app/info_window.h"
#include "app/lang_form.h"
#include "app/pages/caption_rows.h"
#include "app/qt_translation.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

namespace {

using Handler = void (THauptfenster::*)();

QString tickedItems(const THauptfenster& w) {
    QString ticks;
    for (const QAction* item : {w.german1, w.english1, w.Schwe1, w.Franzsich1, w.tuerk1})
        ticks += item->isChecked() ? '1' : '0';
    return ticks;
}

void verifyCaptions(const CaptionRows& captions, Language language) {
    for (const CaptionRow& caption : captions) {
        const QByteArray where =
            "row " + QByteArray::number(caption.row) + " part " + QByteArray::number(caption.part);
        QVERIFY2(shownCaption(caption) == GetInfoString(language, caption.row), where.constData());
    }
}

} // namespace

Q_DECLARE_METATYPE(Handler)

class LanguageWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void handlerLabelsEverything_data();
    void handlerLabelsEverything();
    void englishCaptions();
    void connectButtonByLinkState_data();
    void connectButtonByLinkState();
    void storedLanguageAtStart_data();
    void storedLanguageAtStart();
    void qtDialogsSpeakTheWindowLanguage_data();
    void qtDialogsSpeakTheWindowLanguage();
};

void LanguageWindowTest::handlerLabelsEverything_data() {
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("ticks"); // german, english, swedish, french, turkish

    QTest::newRow("German") << &THauptfenster::german1Click << "ger" << int(Language::German)
                            << "10000";
    QTest::newRow("English") << &THauptfenster::english1Click << "eng" << int(Language::English)
                             << "01000";
    QTest::newRow("Swedish") << &THauptfenster::Schwe1Click << "schw" << int(Language::Swedish)
                             << "00100";
    QTest::newRow("French") << &THauptfenster::Franzsich1Click << "franz" << int(Language::French)
                            << "00010";
    QTest::newRow("Turkish") << &THauptfenster::tuerk1Click << "tuerk" << int(Language::Turkish)
                             << "00001";
}

void LanguageWindowTest::handlerLabelsEverything() {
    QFETCH(Handler, handler);
    QFETCH(QString, code);
    QFETCH(int, language);
    QFETCH(QString, ticks);
    const auto lang = Language(language);

    THauptfenster w;
    // Start from another language, so that a caption left out keeps a foreign text.
    (lang == Language::English ? w.german1Click() : w.english1Click());
    w.Memo1->appendPlainText(QStringLiteral("a line of the log"));

    (w.*handler)();

    QCOMPARE(w.language_code, code);
    QCOMPARE(tickedItems(w), ticks);
    QCOMPARE(w.activeLanguage(), std::optional<Language>(lang));
    verifyCaptions(w.captionRows(), lang);
    verifyCaptions(w.Infofenst->captionRows(), lang);
    QCOMPARE(w.Label22->text(), GetInfoString(lang, 115));
    QCOMPARE(w.Com_activate_bt->text(), GetInfoString(lang, 50));
    QVERIFY(w.Memo1->toPlainText().isEmpty());
}

// The Part's example, spelled out: the right column of the table, not only the same one.
void LanguageWindowTest::englishCaptions() {
    THauptfenster w;
    w.english1Click();
    QCOMPARE(w.windowTitle(), QStringLiteral("Veltrona - skaLUX - visualisation TRV 5.3"));
    QCOMPARE(w.PageControl1->tabText(w.PageControl1->indexOf(w.TabSheet1)),
             QStringLiteral("actual values"));
    QCOMPARE(w.PageControl1->tabText(w.PageControl1->indexOf(w.TabSheet2)),
             QStringLiteral("service"));
    // Design captions that no row replaces stay.
    QCOMPARE(w.PageControl1->tabText(w.PageControl1->indexOf(w.TabSheet6)),
             QStringLiteral("Lichtregelung"));
}

void LanguageWindowTest::connectButtonByLinkState_data() {
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("caption");
    QTest::newRow("link started") << true << "com deactivate";
    QTest::newRow("link stopped") << false << "com activate";
}

void LanguageWindowTest::connectButtonByLinkState() {
    QFETCH(bool, started);
    QFETCH(QString, caption);
    THauptfenster w;
    w.sio_started = started;
    w.english1Click();
    QCOMPARE(w.Com_activate_bt->text(), caption);
    w.sio_started = false; // the window did not start a link; its close must not end one
}

void LanguageWindowTest::storedLanguageAtStart_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<bool>("chooser");
    QTest::addColumn<QString>("title"); // the window's caption after the start

    const QString design = THauptfenster::designText(0);
    QTest::newRow("eng") << "eng"
                         << "01000" << false << "Veltrona - skaLUX - visualisation TRV 5.3";
    QTest::newRow("ger") << "ger"
                         << "10000" << false << GetInfoString(Language::German, 0);
    QTest::newRow("tuerk") << "tuerk"
                           << "00001" << false << GetInfoString(Language::Turkish, 0);
    // Nothing chosen yet: the chooser, the design captions and the French tick.
    QTest::newRow("none") << "none"
                          << "00010" << true << design;
    // A code of no language applies none and shows no chooser.
    QTest::newRow("unknown") << "english"
                             << "00010" << false << design;
}

void LanguageWindowTest::storedLanguageAtStart() {
    QFETCH(QString, code);
    QFETCH(QString, ticks);
    QFETCH(bool, chooser);
    QFETCH(QString, title);
    THauptfenster w;
    w.language_code = code;
    w.startLanguage();
    QCOMPARE(tickedItems(w), ticks);
    QCOMPARE(w.lang_form->isVisible(), chooser);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(w.language_code, code);
}

// Qt's own strings follow the language menu: the standard buttons of a message box and of
// a button box made after the choice read in it, and English brings Qt's English back.
// Swedish comes only as the older all-in-one catalogue, which keeps the buttons elsewhere.
void LanguageWindowTest::qtDialogsSpeakTheWindowLanguage_data() {
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("German") << &THauptfenster::german1Click << "qtbase_de.qm"
                            << "Abbrechen";
    QTest::newRow("Swedish") << &THauptfenster::Schwe1Click << "qt_sv.qm"
                             << "Avbryt";
}

void LanguageWindowTest::qtDialogsSpeakTheWindowLanguage() {
    QFETCH(Handler, handler);
    QFETCH(QString, catalogue);
    QFETCH(QString, cancel);
    if (!QFileInfo::exists(QDir(QtTranslation::folder()).filePath(catalogue)))
        QSKIP(qPrintable(catalogue + " is not installed (Debian package qt6-translations-l10n)"));
    const auto cancelTexts = [] {
        QMessageBox message;
        message.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        return QStringList{message.button(QMessageBox::Cancel)->text(),
                           buttons.button(QDialogButtonBox::Cancel)->text()};
    };
    THauptfenster w;
    (w.*handler)();
    QCOMPARE(cancelTexts(), (QStringList{cancel, cancel}));
    w.english1Click();
    QCOMPARE(cancelTexts(), (QStringList{"Cancel", "Cancel"}));
}

QTEST_MAIN(LanguageWindowTest)
#include "tst_language_window.moc"

// The five-language text table: cells the controls rely on, the lookup by ticked language
// item, rows outside the table, and a sweep over every cell.
#include "text/info_table.h"

#include <QRegularExpression>
#include <QTest>
#include <climits>

Q_DECLARE_METATYPE(Language)

class TextTableTest : public QObject {
    Q_OBJECT

private slots:
    void knownCells_data();
    void knownCells();
    void lookupFollowsLastTickedItem_data();
    void lookupFollowsLastTickedItem();
    void rowsOutsideTableGiveEmptyText_data();
    void rowsOutsideTableGiveEmptyText();
    void repeatedTextsAgreeInEveryLanguage_data();
    void repeatedTextsAgreeInEveryLanguage();
    void everyCellIsClean();
};

static const Language kAllLanguages[] = {Language::English, Language::German, Language::Swedish,
                                         Language::French, Language::Turkish};

static const char* languageTag(Language lang) {
    static const char* const tags[] = {"en", "de", "sv", "fr", "tr"};
    return tags[static_cast<int>(lang)];
}

void TextTableTest::knownCells_data() {
    QTest::addColumn<Language>("lang");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");

    const auto add = [](Language lang, int row, const char* text) {
        QTest::addRow("%d-%s", row, languageTag(lang)) << lang << row << QString::fromUtf8(text);
    };
    const auto addAll = [&add](int row, const char* en, const char* de, const char* sv,
                               const char* fr, const char* tr) {
        add(Language::English, row, en);
        add(Language::German, row, de);
        add(Language::Swedish, row, sv);
        add(Language::French, row, fr);
        add(Language::Turkish, row, tr);
    };

    add(Language::English, 0, "Veltrona - skaLUX - visualisation TRV 5.3");
    add(Language::German, 0, "Veltrona - skaLUX - Visualisierung TRV 5.3");
    add(Language::English, 11, "about TRV");
    add(Language::German, 11, "Über TRV");
    add(Language::English, 34, "diming profil: so-th night ");
    add(Language::German, 34, "Dimmprofil: So-Do Nacht ");
    add(Language::English, 42, "diming profil: fr/sa night ");
    add(Language::German, 42, "Dimmprofil: Fr/Sa Nacht ");
    add(Language::English, 50, "com activate");
    add(Language::German, 101, "COM stoppen");
    add(Language::English, 57, "Veltrona GmbH");
    add(Language::Turkish, 57, "Veltrona GmbH");
    add(Language::Swedish, 65, "Lösenordsinmatning");
    add(Language::French, 66, "Prière d`introduire le mot de passe!");
    add(Language::Turkish, 66, "LÜTFEN ŞİFRENİZİ GİRİN ");
    addAll(69, "start", "START", "START", "franz", "BAŞLA ");
    add(Language::German, 77, "KK_Temp1 [°C]");
    addAll(97, "(31.03. - 31.10.)", "(31.03. - 31.10.)", "(31 mars - 31 oktober)",
           "(31/03. - 31/10.)", "(31.03. - 31.10.) ");
    add(Language::English, 131, "d) dimmer in condition \"normal\"");
    add(Language::German, 131, "d) Dimmer im Zustand: \"Normalbetrieb\"");
    add(Language::English, 133,
        "Enter the actual voltage measured on volt meter in the box \"voltage u_ac [V] "
        "measured\" ");
    add(Language::German, 133, "Messwert in die Box \"Spannung U_AC gemessen\" eingeben.");
    add(Language::English, 134, "Click the \"calibration !\" Button to calibrate the Dimmer");
    add(Language::German, 143, "Hardware kann nicht kalibriert werden.    Hardwarstand <= Rev. 13");
    add(Language::German, 153, "Schreibe U_AC_Sart ");
    addAll(161, "", "", "", "", "");
    add(Language::French, 163, "passe");
    add(Language::Turkish, 163, "ŞİFRE ");
    addAll(164, "swedish", "Schwedisch", "Svenska", "suédois", "İSVEÇÇE ");
    addAll(165, "french", "Französisch", "Franska", "français", "FRANSIZCA ");
    add(Language::German, 166, "Kurzschluss / Überlast");
    addAll(167, "standby (synch)", "STANDBY (synch)", "standby (synch)", "standby (synch)",
           "STANDBY (synch) ");
    addAll(168, "turkish", "Türkisch", "Turkisk", "turque", "TÜRKÇE ");
    addAll(169, "concept fault", "Concept Fehler", "concept fault", "concept fault",
           "concept fault");
    add(Language::French, 170, "iz fault");
    add(Language::Swedish, 171, "short circuit ac");
    add(Language::Turkish, 172, "chopper fault");
    addAll(173, "overload fault", "Überlastfehler", "overload fault", "overload fault",
           "overload fault");
    add(Language::German, 175, "Übertemperatur KK2");
}

void TextTableTest::knownCells() {
    QFETCH(Language, lang);
    QFETCH(int, row);
    QFETCH(QString, expected);

    QCOMPARE(infoText(lang, row), expected);
    QCOMPARE(GetInfoString(lang, row), expected);
}

void TextTableTest::lookupFollowsLastTickedItem_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("german");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<bool>("french");
    QTest::addColumn<bool>("turkish");
    QTest::addColumn<int>("expectedColumn"); // -1: no language active
    QTest::addColumn<QString>("expectedRow69");

    // Row 69 differs between English, German, French and Turkish, so the text shows which
    // column the lookup took.
    QTest::newRow("none") << false << false << false << false << false << -1 << QString();
    QTest::newRow("english") << true << false << false << false << false << 0 << "start";
    QTest::newRow("german") << false << true << false << false << false << 1 << "START";
    QTest::newRow("swedish") << false << false << true << false << false << 2 << "START";
    QTest::newRow("french") << false << false << false << true << false << 3 << "franz";
    QTest::newRow("turkish") << false << false << false << false << true << 4 << "BAŞLA ";
    QTest::newRow("english+french") << true << false << false << true << false << 3 << "franz";
    QTest::newRow("english+german") << true << true << false << false << false << 1 << "START";
    QTest::newRow("french+turkish") << false << false << false << true << true << 4 << "BAŞLA ";
    QTest::newRow("all") << true << true << true << true << true << 4 << "BAŞLA ";
}

void TextTableTest::lookupFollowsLastTickedItem() {
    QFETCH(bool, english);
    QFETCH(bool, german);
    QFETCH(bool, swedish);
    QFETCH(bool, french);
    QFETCH(bool, turkish);
    QFETCH(int, expectedColumn);
    QFETCH(QString, expectedRow69);

    const std::optional<Language> active =
        tickedLanguage(english, german, swedish, french, turkish);
    QCOMPARE(active.has_value(), expectedColumn >= 0);
    if (active) {
        QCOMPARE(static_cast<int>(*active), expectedColumn);
    }
    QCOMPARE(GetInfoString(active, 69), expectedRow69);
    // With no language active every row is empty, even one that has text in all columns.
    QCOMPARE(GetInfoString(active, 11).isEmpty(), !active.has_value());
}

void TextTableTest::rowsOutsideTableGiveEmptyText_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("-1") << -1;
    QTest::newRow("176") << 176;
    QTest::newRow("INT_MAX") << INT_MAX;
    QTest::newRow("INT_MIN") << INT_MIN;
}

void TextTableTest::rowsOutsideTableGiveEmptyText() {
    QFETCH(int, row);

    QVERIFY(!isInfoRow(row));
    const QRegularExpression namesRow(QRegularExpression::escape(QString::number(row)));
    for (Language lang : kAllLanguages) {
        QTest::ignoreMessage(QtWarningMsg, namesRow);
        QVERIFY(infoText(lang, row).isNull());
    }
    QTest::ignoreMessage(QtWarningMsg, namesRow);
    QVERIFY(GetInfoString(Language::German, row).isEmpty());
    QVERIFY(GetInfoString(std::nullopt, row).isEmpty());
}

void TextTableTest::repeatedTextsAgreeInEveryLanguage_data() {
    // Rows that caption different controls with the same text; a translation must not drift
    // between them.
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("energy saving") << QList<int>{23, 41, 49};
    QTest::newRow("diming period") << QList<int>{35, 43};
    QTest::newRow("period 1") << QList<int>{36, 44};
    QTest::newRow("period 2") << QList<int>{37, 45};
    QTest::newRow("period 3") << QList<int>{38, 46};
    QTest::newRow("diming end") << QList<int>{39, 47};
    QTest::newRow("time") << QList<int>{40, 48};
    QTest::newRow("fan on") << QList<int>{26, 82};
    QTest::newRow("measuring values") << QList<int>{74, 119};
    QTest::newRow("voltages") << QList<int>{116, 121};
    QTest::newRow("calibration") << QList<int>{118, 120};
    QTest::newRow("hardware revision") << QList<int>{142, 144, 148};
}

void TextTableTest::repeatedTextsAgreeInEveryLanguage() {
    QFETCH(QList<int>, rows);

    for (Language lang : kAllLanguages) {
        const QString first = infoText(lang, rows.first());
        for (int row : rows) {
            QVERIFY2(infoText(lang, row) == first,
                     qPrintable(QStringLiteral("%1: row %2 differs from row %3")
                                    .arg(QLatin1String(languageTag(lang)))
                                    .arg(row)
                                    .arg(rows.first())));
        }
    }
}

void TextTableTest::everyCellIsClean() {
    QVERIFY(isInfoRow(0));
    QVERIFY(isInfoRow(kInfoRowCount - 1));
    for (int row = 0; row < kInfoRowCount; ++row) {
        for (Language lang : kAllLanguages) {
            const QString text = infoText(lang, row);
            const QString where =
                QStringLiteral("row %1, %2").arg(row).arg(QLatin1String(languageTag(lang)));
            QVERIFY2(text.isEmpty() == (row == 161), qPrintable(where));
            QVERIFY2(!text.startsWith(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('\n')),
                     qPrintable(where));
            // Invalid UTF-8 in the table would decode to replacement characters.
            QVERIFY2(!text.contains(QChar::ReplacementCharacter), qPrintable(where));
            QCOMPARE(QString::fromUtf8(text.toUtf8()), text);
        }
    }
}

QTEST_APPLESS_MAIN(TextTableTest)
#include "tst_text_table.moc"

// Where the parameter fields' values came from, and whether a write of them asks first:
// the start-up values and a set read in an earlier connection ask; a read in this
// connection, a parameter file and the technician's edits do not.
#include "parameters/field_origin.h"

#include <QTest>

Q_DECLARE_METATYPE(FieldSource)

class FieldOriginTest : public QObject {
    Q_OBJECT
private slots:
    void sequence_data();
    void sequence();
};

// Events, in order: read (a sound parameter read into the fields), file (a parameter file
// loaded), edit (the technician changed a field), connect (a new connection begins).
void FieldOriginTest::sequence_data() {
    QTest::addColumn<QString>("events");
    QTest::addColumn<FieldSource>("source");
    QTest::addColumn<bool>("asks");
    using S = FieldSource;
    QTest::newRow("start-up values") << "" << S::Placeholders << true;
    QTest::newRow("connecting keeps the start-up values") << "connect" << S::Placeholders << true;
    QTest::newRow("read") << "connect read" << S::ThisController << false;
    QTest::newRow("read, then another connection")
        << "connect read connect" << S::EarlierController << true;
    QTest::newRow("read again in the new connection")
        << "connect read connect read" << S::ThisController << false;
    QTest::newRow("file") << "file" << S::Technician << false;
    QTest::newRow("file kept across connections")
        << "file connect connect" << S::Technician << false;
    QTest::newRow("edit of the start-up values") << "edit" << S::Technician << false;
    QTest::newRow("edit of an earlier controller's set")
        << "connect read connect edit" << S::Technician << false;
    QTest::newRow("edit kept across connections")
        << "connect read edit connect" << S::Technician << false;
    QTest::newRow("a read replaces the technician's values")
        << "file read" << S::ThisController << false;
    QTest::newRow("... which belong to this connection only")
        << "file read connect" << S::EarlierController << true;
}

void FieldOriginTest::sequence() {
    QFETCH(QString, events);
    QFETCH(FieldSource, source);
    QFETCH(bool, asks);
    FieldOrigin origin;
    for (const QString& event : events.split(' ', Qt::SkipEmptyParts)) {
        if (event == "read")
            origin.readFromController();
        else if (event == "file")
            origin.loadedFromFile();
        else if (event == "edit")
            origin.edited();
        else if (event == "connect")
            origin.newConnection();
        else
            QFAIL(qPrintable("unknown event " + event));
    }
    QCOMPARE(origin.source(), source);
    QCOMPARE(origin.writeNeedsQuestion(), asks);
}

QTEST_APPLESS_MAIN(FieldOriginTest)
#include "tst_field_origin.moc"

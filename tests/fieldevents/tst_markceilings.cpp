#include <QtTest>

#include "fieldevents/markceilings.h"
#include "support/testsupport.h"

using Kind = MarkCeilings::Kind;
Q_DECLARE_METATYPE(MarkCeilings::Kind)

class TestMarkCeilings : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void kindOfEvent_data();
    void kindOfEvent();
    void ceilings_aboveEveryRecordBelowASlip();
};

void TestMarkCeilings::kindOfEvent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("youth");
    QTest::newRow("long jump") << "Long Jump Women" << Kind::LongJump << false;
    QTest::newRow("Dutch long jump") << "Verspringen mannen" << Kind::LongJump << false;
    QTest::newRow("French triple jump") << "Triple saut" << Kind::TripleJump << false;
    QTest::newRow("Dutch triple jump") << "Hink-stap-springen" << Kind::TripleJump << false;
    QTest::newRow("German high jump") << "Hochsprung" << Kind::HighJump << false;
    QTest::newRow("Dutch pole vault, not a high jump") << "Polsstokhoogspringen" << Kind::PoleVault << false;
    QTest::newRow("French pole vault") << "Saut à la perche" << Kind::PoleVault << false;
    QTest::newRow("indoor shot put") << "Shot Put Indoor" << Kind::ShotPut << false;
    QTest::newRow("German shot put") << "Kugelstoßen" << Kind::ShotPut << false;
    QTest::newRow("Dutch hammer, not a shot put") << "Kogelslingeren" << Kind::Hammer << false;
    QTest::newRow("youth discus") << "Discus Throw U18 Men" << Kind::Discus << true;
    QTest::newRow("junior javelin") << "Speerwerpen junioren" << Kind::Javelin << true;
    QTest::newRow("youth javelin") << "Javelin Youth" << Kind::Javelin << true;
    QTest::newRow("a track event") << "100 m" << Kind::Unknown << false;
    QTest::newRow("a name that tells nothing") << "Women's Event" << Kind::Unknown << false;
}

void TestMarkCeilings::kindOfEvent()
{
    QFETCH(QString, name);
    QFETCH(Kind, kind);
    QFETCH(bool, youth);
    QCOMPARE(int(MarkCeilings::kindOfEvent(name)), int(kind));
    QCOMPARE(MarkCeilings::isYouth(name), youth);
    QCOMPARE(MarkCeilings::ceilingOfEvent(name) > 0, kind != Kind::Unknown);
}

void TestMarkCeilings::ceilings_aboveEveryRecordBelowASlip()
{
    // Records the ceilings must let through, and slips of the finger they
    // must stop (a decimal point one place too far right).
    const struct
    {
        Kind kind;
        double record;
    } records[] = {{Kind::LongJump, 8.95}, {Kind::TripleJump, 18.29}, {Kind::HighJump, 2.45}, {Kind::PoleVault, 6.30},
                   {Kind::ShotPut, 23.56}, {Kind::Discus, 76.80},     {Kind::Hammer, 86.74},  {Kind::Javelin, 98.48}};
    QCOMPARE(MarkCeilings::table().size(), int(std::size(records)));
    for (const auto &row : records) {
        const double senior = MarkCeilings::ceiling(row.kind, false);
        QVERIFY2(senior > row.record, qPrintable(QString::number(row.record)));
        QVERIFY2(senior < row.record * 1.2, qPrintable(QString::number(senior)));
        QVERIFY(MarkCeilings::ceiling(row.kind, true) >= senior);
    }
}

STADIONIX_TEST_MAIN(TestMarkCeilings)
#include "tst_markceilings.moc"

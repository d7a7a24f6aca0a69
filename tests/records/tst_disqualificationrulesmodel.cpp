#include <QAbstractItemModelTester>
#include <QtTest>

#include "records/disqualificationrulesmodel.h"
#include "support/testsupport.h"

class TestDisqualificationRulesModel : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void rulesFromMaps_fillFourColumns()
    {
        DisqualificationRulesModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.disqualificationRulesReceived({
            {{"id", 4}, {"type", 1}, {"language", "en"}, {"rule", "TR 16.8 false start"}},
            {{"id", 9}, {"type", 2}, {"language", "en"}, {"rule", "TR 17.3.1 lane infringement"}},
        });
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 4);
        const QStringList headers{"ID", "Type", "Language", "Rule"};
        for (int column = 0; column < 4; ++column)
            QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), headers.at(column));
        QCOMPARE(model.index(1, 0).data().toUInt(), 9u);
        QCOMPARE(model.index(1, 1).data().toUInt(), 2u);
        QCOMPARE(model.index(1, 3).data().toString(), QStringLiteral("TR 17.3.1 lane infringement"));

        // A new list replaces the old one.
        model.disqualificationRulesReceived({{{"id", 1}, {"type", 1}, {"language", "nl"}, {"rule", "R"}}});
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("nl"));
    }
};

STADIONIX_TEST_MAIN(TestDisqualificationRulesModel)
#include "tst_disqualificationrulesmodel.moc"

#include <QAbstractItemModelTester>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "schedule/modalanswerer.h"
#include "store/localdatabase.h"
#include "store/unconfirmedactionsdialog.h"
#include "store/unconfirmedactionsmodel.h"
#include "support/testsupport.h"
#include "sync/databaseconnection.h"

class TestUnconfirmedActions : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void model_cells_data();
    void model_cells();
    void dialog_removeAll_data();
    void dialog_removeAll();
};

void TestUnconfirmedActions::model_cells_data()
{
    QTest::addColumn<QVariantMap>("action");
    QTest::addColumn<QStringList>("cells");

    const QVariantMap result{{"table_name", "results"},
                             {"action", 0},
                             {"participation_displayname", "Ilse Varnholt"},
                             {"participation_bib", "101"},
                             {"value", 7.899},
                             {"seqno", 2},
                             {"metavalue", 0.0},
                             {"time_performed", "14:31:05"},
                             {"field_type", "H"}};
    QTest::newRow("new distance") << result << QStringList{"Ilse Varnholt", "101", "insert", "results",
                                                           "7.89",          "2",   "0",      "14:31:05"};
    QVariantMap failed = result;
    failed.insert("action", 1);
    failed.insert("value", -1.0);
    QTest::newRow("changed to a fail") << failed
                                       << QStringList{"Ilse Varnholt", "101", "update", "results", "X", "2", "0",
                                                      "14:31:05"};
    QVariantMap height = result;
    height.insert("value", 1.0);
    height.insert("metavalue", 1.85);
    height.insert("field_type", "V");
    QTest::newRow("a height cleared") << height << QStringList{"Ilse Varnholt", "101", "insert", "results",
                                                               "1.85",          "2",   "1.85",   "14:31:05"};
    QVariantMap time = result;
    time.insert("value", -3.0);
    time.insert("field_type", "");
    QTest::newRow("a track DNS") << time << QStringList{"Ilse Varnholt", "101", "insert", "results",
                                                        "DNS",           "2",   "0",      "14:31:05"};
    const QVariantMap lane{{"table_name", "participations"},
                           {"action", 1},
                           {"participation_displayname", "Mara Q"},
                           {"participation_bib", "7"},
                           {"initial_order", 4}};
    QTest::newRow("lane change") << lane << QStringList{"Mara Q", "7", "update", "participations", "4", "", "", ""};
    QVariantMap unknown = lane;
    unknown.insert("action", 5);
    QTest::newRow("unknown action shows nothing") << unknown << QStringList{"", "", "", "", "", "", "", ""};
}

void TestUnconfirmedActions::model_cells()
{
    QFETCH(QVariantMap, action);
    QFETCH(QStringList, cells);
    UnconfirmedActionsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setActions({action});
    QCOMPARE(model.columnCount(), 8);
    const QStringList headers{"name", "bib", "action", "table", "value", "attempt", "height", "performed"};
    QStringList shown;
    for (int column = 0; column < 8; ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), headers.at(column));
        shown << model.index(0, column).data().toString();
    }
    QCOMPARE(shown, cells);
    QVERIFY(!(model.index(0, 0).flags() & Qt::ItemIsEditable));
}

void TestUnconfirmedActions::dialog_removeAll_data()
{
    QTest::addColumn<int>("queued");
    QTest::addColumn<bool>("yes");
    QTest::newRow("three queued, yes") << 3 << true;
    QTest::newRow("three queued, no") << 3 << false;
    QTest::newRow("empty queue still asks") << 0 << true;
}

void TestUnconfirmedActions::dialog_removeAll()
{
    QFETCH(int, queued);
    QFETCH(bool, yes);
    QTemporaryDir folder;
    DatabaseConnection connection(nullptr, folder.path(), folder.filePath("stadionix.db"));
    LocalDatabase *store = connection.store();
    // Results the server never saw, with their participation's row.
    for (int i = 0; i < queued; ++i) {
        Result result;
        result.value = 6.0 + i;
        result.seqno = unsigned(i + 1);
        store->storeResult(0, &result);
    }
    UnconfirmedActionsDialog dialog(&connection);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Unposted results"));
    QCOMPARE(dialog.model()->rowCount(), queued);
    QSignalSpy counts(&connection, &DatabaseConnection::updateUnconfirmedActions);
    ModalAnswerer answerer({[yes](QWidget *box) {
        QCOMPARE(box->windowTitle(), QStringLiteral("Remove unprocessed actions"));
        auto *question = qobject_cast<QMessageBox *>(box);
        QVERIFY(question);
        QVERIFY(question->text().startsWith(QStringLiteral("Are you sure you want to remove unprocessed actions?")));
        question->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    }});
    dialog.show();
    auto *remove = dialog.findChild<QPushButton *>("btnRemoveUnconfirmedActions");
    QCOMPARE(remove->text(), QStringLiteral("Remove all changes"));
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(answerer.answered(), 1);
    if (yes) {
        QCOMPARE(dialog.model()->rowCount(), 0);
        QCOMPARE(store->pendingActionCount(), 0u);
        QCOMPARE(counts.size(), 1);
        QCOMPARE(counts.first().first().toUInt(), 0u);
        // The results themselves stay in the store.
        QCOMPARE(store->resultRow(1).isEmpty(), queued == 0);
    } else {
        QCOMPARE(dialog.model()->rowCount(), queued);
        QCOMPARE(int(store->pendingActionCount()), queued);
        QCOMPARE(counts.size(), 0);
    }
}

STADIONIX_TEST_MAIN(TestUnconfirmedActions)
#include "tst_unconfirmedactions.moc"

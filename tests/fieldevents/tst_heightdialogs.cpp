#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "fieldevents/newheightfieldverticaldialog.h"
#include "fieldevents/participantstartingheightwidget.h"
#include "fieldevents/setstartingheightsdialog.h"
#include "heatbuilder.h"
#include "support/testsupport.h"

class TestHeightDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void startingHeights_rowsDefaultsAndEnter()
    {
        QList<Participation *> list = HeatBuilder::heat({"C:", "A:", "B:"}, QLatin1Char('V'));
        list[0]->initial_order = 3;
        list[1]->initial_order = 1;
        list[2]->initial_order = 2;
        list[2]->startheight = 1.65;
        SetStartingHeightsDialog dialog(list, 1.5, 0.05);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Set starting heights"));
        QCOMPARE(dialog.rows().size(), 3);
        QCOMPARE(dialog.rows().at(0)->participation(), list[1]); // by initial order
        QCOMPARE(dialog.rows().at(1)->startingHeight(), 1.65);

        // One row changed by hand writes its participation at once.
        auto *rowSpin = dialog.rows().at(2)->findChild<QDoubleSpinBox *>(QStringLiteral("spnStartingHeight"));
        rowSpin->setValue(1.80);
        QCOMPARE(list[0]->startheight, 1.80);

        // The default fills every row; the interval is kept.
        dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnDefaultStartingHeight"))->setValue(1.55);
        dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnInterval"))->setValue(0.03);
        for (const Participation *p : std::as_const(list))
            QCOMPARE(p->startheight, 1.55);
        QCOMPARE(dialog.firstHeight(), 1.55);
        QCOMPARE(dialog.heightStep(), 0.03);

        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnEnter")), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        qDeleteAll(list);
    }

    void startingHeights_closedWithoutEnter_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("kept");
        QTest::newRow("Enter") << "enter" << true;
        QTest::newRow("Escape") << "escape" << false;
        QTest::newRow("window closed") << "close" << false;
    }

    void startingHeights_closedWithoutEnter()
    {
        QFETCH(QString, how);
        QFETCH(bool, kept);
        QList<Participation *> list = HeatBuilder::heat({"A:", "B:", "C:"}, QLatin1Char('V'));
        list[0]->startheight = 1.60;
        list[1]->startheight = 1.70;
        SetStartingHeightsDialog dialog(list, 1.5, 0.05);
        dialog.show();
        dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnDefaultStartingHeight"))->setValue(1.55);
        dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnInterval"))->setValue(0.03);
        dialog.rows().at(1)->setStartingHeight(1.80);
        QCOMPARE(list[1]->startheight, 1.80);

        if (how == "enter")
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnEnter")), Qt::LeftButton);
        else if (how == "escape")
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        QCOMPARE(dialog.result(), int(kept ? QDialog::Accepted : QDialog::Rejected));
        const QList<double> expected = kept ? QList<double>{1.55, 1.80, 1.55} : QList<double>{1.60, 1.70, 0.0};
        QList<double> heights;
        for (const Participation *p : std::as_const(list))
            heights << p->startheight;
        QCOMPARE(heights, expected);
        // The defaults are the judge's either way.
        QCOMPARE(dialog.firstHeight(), 1.55);
        QCOMPARE(dialog.heightStep(), 0.03);
        qDeleteAll(list);
    }

    void newHeight_returnsHeightAndKind()
    {
        NewHeightFieldVerticalDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New Height"));
        QCOMPARE(dialog.height(), 1.5);
        QVERIFY(!dialog.isJumpOff());
        dialog.setHeight(1.98);
        dialog.setJumpOff(true);
        dialog.show();
        QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("rdbJumpOff"))->isChecked());
        QTest::mouseClick(dialog.findChild<QRadioButton *>(QStringLiteral("rdbAccordingHeight")), Qt::LeftButton);
        QVERIFY(!dialog.isJumpOff());
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.height(), 1.98);
    }
};

STADIONIX_TEST_MAIN(TestHeightDialogs)
#include "tst_heightdialogs.moc"

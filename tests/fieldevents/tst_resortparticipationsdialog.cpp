#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "fieldevents/resortparticipationsdialog.h"
#include "support/testsupport.h"

class TestResortParticipationsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void select_returnsTypedNumber()
    {
        ResortParticipationsDialog dialog(8);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Resort participants"));
        auto *spin = dialog.findChild<QSpinBox *>(QStringLiteral("spnNumberOfParticipants"));
        QVERIFY(spin);
        QCOMPARE(spin->value(), 8);
        dialog.show();
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("0"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnSelect")), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.numberOfParticipants(), 0);
    }

    void cancel_rejects()
    {
        ResortParticipationsDialog dialog(8);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

STADIONIX_TEST_MAIN(TestResortParticipationsDialog)
#include "tst_resortparticipationsdialog.moc"

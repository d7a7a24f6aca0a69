#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include "app/interfacesounds.h"
#include "app/stadionix.h"
#include "support/testsupport.h"

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void playSound_data();
    void playSound();
    void applicationFont_is18Points();
};

void TestApplication::playSound_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("requested");
    QTest::newRow("click") << 0 << QList<int>{0};
    QTest::newRow("drop") << 1 << QList<int>{1};
    QTest::newRow("index 2 plays nothing") << 2 << QList<int>{};
    QTest::newRow("negative index plays nothing") << -1 << QList<int>{};
}

void TestApplication::playSound()
{
    QFETCH(int, index);
    QFETCH(QList<int>, requested);
    InterfaceSounds sounds;
    QSignalSpy spy(&sounds, &InterfaceSounds::soundRequested);
    sounds.play(index);
    QList<int> got;
    for (const QList<QVariant> &call : spy)
        got << call.first().toInt();
    QCOMPARE(got, requested);
}

void TestApplication::applicationFont_is18Points()
{
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
    Stadionix::applyApplicationFont();
    QCOMPARE(QApplication::font().pointSize(), 18);
}

STADIONIX_TEST_MAIN(TestApplication)
#include "tst_application.moc"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QtTest>

#include "heatmaps.h"
#include "schedule/raceslistview.h"
#include "schedule/racesmodel.h"
#include "schedule/scheduletablesortfiltermodel.h"
#include "schedule/scheduletablewidget.h"
#include "support/testsupport.h"

using HeatMaps::heat;

// Renders the schedule page with made-up heats, as the documentation shows
// it. Set STADIONIX_SCHEDULE_PICTURE to a file name to keep the picture
// (docs/schedule.png); otherwise it goes to the test's temporary folder.
class TestSchedulePicture : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void schedulePage_rendersCards()
    {
        // The program's application font.
        QFont font = QApplication::font();
        font.setPointSize(18);
        QApplication::setFont(font);

        ScheduleTableWidget page;
        page.setDataFolder(QDir::tempPath());
        page.resize(1024, 700);
        page.racesModel()->heatEventsReceived({
            heat("801", "100m Women Heat 1", "0930", "8", "", 6, true),
            heat("802", "100m Women Heat 2", "0930", "7", "", 5, true),
            heat("803", "Long Jump Men Final", "0940", "12", "H", 5, true),
            heat("804", "100m Women Heat 3", "0945", "8", "", 2),
            heat("805", "High Jump Women Final", "1000", "14", "V", 1, true),
            heat("806", "400m Hurdles Men Heat 1", "1015", "6", "", 0),
            heat("807", "Shot Put Women Final", "1030", "10", "H", 0),
            heat("808", "400m Hurdles Men Heat 2", "1030", "0", "", 0),
            heat("809", "1500m Men Final", "1100", "15", "", 0),
            heat("810", "Pole Vault Men Final", "1115", "9", "V", 0),
            heat("811", "4x100m Relay Women Final", "1200", "8", "", 0),
            heat("812", "Discus Throw Men Final", "1230", "11", "H", 3),
        });
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.listView()->setCurrentIndex(page.proxyModel()->index(3, 0));

        const QImage image = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(1024, 700));
        // The first cards are the finished (red) and running (green) heats.
        int red = 0, green = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                red += colour == QColor(Qt::red);
                green += colour == QColor(Qt::green);
            }
        }
        QVERIFY(red > 1000);
        QVERIFY(green > 2000);

        QString path = qEnvironmentVariable("STADIONIX_SCHEDULE_PICTURE");
        if (path.isEmpty())
            path = QDir::temp().filePath(QStringLiteral("schedule.png"));
        QVERIFY2(image.save(path), qPrintable(path));
    }
};

STADIONIX_TEST_MAIN(TestSchedulePicture)
#include "tst_schedulepicture.moc"

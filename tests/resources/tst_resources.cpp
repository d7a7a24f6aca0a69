#include "support/testsupport.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

const QString fieldTablet = QStringLiteral(":/fieldtablet/icons/fieldtablet/");

// A finger needs about 9 mm; on the tablets in use that is roughly 64 px.
constexpr int minTouchSide = 64;

QString activeVariant(const QString &path)
{
    QString active = path;
    active.insert(active.lastIndexOf(QLatin1String(".png")), QLatin1String("_active"));
    return active;
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            colours.insert(line[x]);
    }
    return colours.size();
}

double differingShare(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    if (left.size() != right.size())
        return 1.0;
    int differing = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            if (left.pixel(x, y) != right.pixel(x, y))
                ++differing;
        }
    }
    return double(differing) / (left.width() * left.height());
}

bool isLitAmber(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 120 && qBlue(pixel) < 80;
}

struct WaveInfo
{
    QString error;
    quint16 format = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    QByteArray data;
};

// Walks the RIFF chunks the way a strict reader does: sizes must fit in the
// file, chunks are padded to even length, and unknown chunks are skipped.
WaveInfo parseWave(const QByteArray &bytes)
{
    WaveInfo info;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        info.error = QStringLiteral("no RIFF/WAVE header");
        return info;
    }
    const quint32 riffSize = qFromLittleEndian<quint32>(bytes.constData() + 4);
    if (riffSize != quint32(bytes.size() - 8)) {
        info.error = QStringLiteral("RIFF size %1 does not match file size %2").arg(riffSize).arg(bytes.size());
        return info;
    }
    bool haveFormat = false;
    bool haveData = false;
    qsizetype offset = 12;
    while (offset + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(offset, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + offset + 4);
        const qsizetype body = offset + 8;
        if (body + qsizetype(size) > bytes.size()) {
            info.error = QStringLiteral("chunk %1 runs past the end of the file").arg(QString::fromLatin1(id));
            return info;
        }
        if (id == "fmt ") {
            if (size < 16) {
                info.error = QStringLiteral("fmt chunk too short");
                return info;
            }
            const char *f = bytes.constData() + body;
            info.format = qFromLittleEndian<quint16>(f);
            info.channels = qFromLittleEndian<quint16>(f + 2);
            info.sampleRate = qFromLittleEndian<quint32>(f + 4);
            info.byteRate = qFromLittleEndian<quint32>(f + 8);
            info.blockAlign = qFromLittleEndian<quint16>(f + 12);
            info.bitsPerSample = qFromLittleEndian<quint16>(f + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                info.error = QStringLiteral("data chunk before fmt chunk");
                return info;
            }
            info.data = bytes.mid(body, size);
            haveData = true;
        }
        offset = body + size + (size & 1);
    }
    if (!haveFormat || !haveData)
        info.error = QStringLiteral("fmt or data chunk missing");
    return info;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void images_data();
    void images();
    void keypadDigitsDiffer();
    void countdownDigits();
    void locationSvg();
    void flagIcons();
    void sounds_data();
    void sounds();
};

void TestResources::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestResources::images_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("minSide");
    QTest::addColumn<int>("maxSide");
    QTest::addColumn<bool>("hasActive");
    // Buttons and toolbar icons are rounded or free-standing shapes and must
    // blend into whatever lies below; flags and display digits are opaque.
    QTest::addColumn<bool>("transparentCorners");

    const auto add = [](const QString &path, int minSide, int maxSide, bool hasActive, bool transparentCorners) {
        QTest::newRow(qPrintable(path)) << path << minSide << maxSide << hasActive << transparentCorners;
    };

    QStringList buttons;
    for (int digit = 0; digit <= 9; ++digit)
        buttons << QStringLiteral("button%1").arg(digit);
    buttons << QStringLiteral("buttonbackspace_9") << QStringLiteral("buttondot_9") << QStringLiteral("buttonhyphen")
            << QStringLiteral("buttonenter_9") << QStringLiteral("buttonleft_9") << QStringLiteral("buttonright_9")
            << QStringLiteral("buttonupdate_9") << QStringLiteral("buttonrelegated")
            << QStringLiteral("buttonrelegated_undo") << QStringLiteral("buttonfail_9")
            << QStringLiteral("buttonpass_9") << QStringLiteral("buttonskip_9") << QStringLiteral("buttoncall_9")
            << QStringLiteral("buttonwind_9") << QStringLiteral("buttonedm_9") << QStringLiteral("buttonresort_9")
            << QStringLiteral("buttonprint_9") << QStringLiteral("buttonback_9") << QStringLiteral("buttonnext_9")
            << QStringLiteral("buttoncountdown_9") << QStringLiteral("buttonheight_9")
            << QStringLiteral("buttonremoveheight_9") << QStringLiteral("buttonnewheight_9")
            << QStringLiteral("buttonscoreboard_9") << QStringLiteral("buttonjumpoff_9")
            << QStringLiteral("buttoncalendar") << QStringLiteral("button_devices") << QStringLiteral("buttonsettings")
            << QStringLiteral("buttontotalstation") << QStringLiteral("buttonhelp");
    for (const QString &button : std::as_const(buttons))
        add(fieldTablet + button + QStringLiteral(".png"), minTouchSide, 256, true, true);

    for (int digit = 0; digit <= 9; ++digit)
        add(fieldTablet + QStringLiteral("d%1_digit_9.png").arg(digit), 24, 160, false, false);
    add(fieldTablet + QStringLiteral("colon_digit_9.png"), 24, 160, false, false);
    add(fieldTablet + QStringLiteral("abandonbackground_9.png"), 8, 128, false, true);

    for (const char *name : {"burger", "fieldevents", "trackevents", "outline_schedule_black", "outline_people_black",
                             "outline_cached_black", "atletieknu"})
        add(QStringLiteral(":/custom/") + QLatin1String(name), 16, 64, false, true);
    for (const char *name : {"accept_button", "arrow_refresh", "database_link"})
        add(QStringLiteral(":/fatcow/icons/fatcow/%1.png").arg(QLatin1String(name)), 16, 64, false, true);
    for (const char *code : {"en", "nl", "fr", "de"})
        add(QStringLiteral(":/flags/") + QLatin1String(code), 16, 64, false, false);
}

void TestResources::images()
{
    QFETCH(QString, path);
    QFETCH(int, minSide);
    QFETCH(int, maxSide);
    QFETCH(bool, hasActive);
    QFETCH(bool, transparentCorners);

    QVERIFY2(QFile::exists(path), qPrintable(path));
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    const QString size = QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
    QVERIFY2(qMin(image.width(), image.height()) >= minSide, qPrintable(size));
    QVERIFY2(qMax(image.width(), image.height()) <= maxSide, qPrintable(size));
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    // A blank or single-colour file means the drawing went missing.
    QVERIFY(distinctColours(argb) >= 3);

    const QPoint corner(0, 0);
    const QPoint centre(image.width() / 2, image.height() / 2);
    if (transparentCorners) {
        QCOMPARE(qAlpha(argb.pixel(corner)), 0);
    } else {
        QCOMPARE(qAlpha(argb.pixel(corner)), 255);
        QCOMPARE(qAlpha(argb.pixel(centre)), 255);
    }

    if (!hasActive)
        return;
    const QString activePath = activeVariant(path);
    const QImage active(activePath);
    QVERIFY2(!active.isNull(), qPrintable(activePath));
    // The pressed picture replaces the normal one in place, so it must not
    // change the button's size.
    QCOMPARE(active.size(), image.size());
    QVERIFY2(differingShare(image, active) > 0.10,
             qPrintable(QStringLiteral("%1 barely differs from its normal image").arg(activePath)));
}

void TestResources::keypadDigitsDiffer()
{
    QList<QImage> keys;
    for (int digit = 0; digit <= 9; ++digit) {
        const QImage key(fieldTablet + QStringLiteral("button%1.png").arg(digit));
        QVERIFY(!key.isNull());
        keys << key;
    }
    for (int a = 0; a < keys.size(); ++a) {
        for (int b = a + 1; b < keys.size(); ++b)
            QVERIFY2(keys.at(a) != keys.at(b), qPrintable(QStringLiteral("button%1 == button%2").arg(a).arg(b)));
    }
}

void TestResources::countdownDigits()
{
    const QImage colon(fieldTablet + QStringLiteral("colon_digit_9.png"));
    QVERIFY(!colon.isNull());

    // Segment centres as fractions of the digit, in the order a (top), b, c
    // (right), d (bottom), e, f (left), g (middle).
    const QPointF segmentCentres[7] = {{0.50, 0.09}, {0.83, 0.29}, {0.83, 0.71}, {0.50, 0.91},
                                       {0.17, 0.71}, {0.17, 0.29}, {0.50, 0.50}};
    const char *const expectedLit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                         "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

    for (int digit = 0; digit <= 9; ++digit) {
        const QString path = fieldTablet + QStringLiteral("d%1_digit_9.png").arg(digit);
        const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!image.isNull(), qPrintable(path));
        // The clock lays the digits and the colon side by side.
        QCOMPARE(image.size(), colon.size());

        QString lit;
        for (int segment = 0; segment < 7; ++segment) {
            const QPoint at(qRound(segmentCentres[segment].x() * (image.width() - 1)),
                            qRound(segmentCentres[segment].y() * (image.height() - 1)));
            if (isLitAmber(image.pixel(at)))
                lit += QLatin1Char('a' + segment);
        }
        QCOMPARE(lit, QString::fromLatin1(expectedLit[digit]));
    }
}

void TestResources::locationSvg()
{
    QSvgRenderer renderer(QStringLiteral(":/custom/icons/custom/location.svg"));
    QVERIFY(renderer.isValid());
    QVERIFY(!renderer.defaultSize().isEmpty());

    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    }
    // A pin covers a good part of its box but not all of it.
    QVERIFY2(covered > 48 * 48 / 8 && covered < 48 * 48 * 3 / 4, qPrintable(QString::number(covered)));
}

void TestResources::flagIcons()
{
    for (const char *code : {"en", "nl", "fr", "de"}) {
        const QIcon icon(QStringLiteral(":/flags/") + QLatin1String(code));
        QVERIFY2(!icon.isNull(), code);
        QVERIFY2(!icon.pixmap(QSize(24, 16)).isNull(), code);
    }
}

void TestResources::sounds_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow(":/sounds/click") << QStringLiteral(":/sounds/click");
    QTest::newRow(":/sounds/drop") << QStringLiteral(":/sounds/drop");
}

void TestResources::sounds()
{
    QFETCH(QString, path);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const WaveInfo wave = parseWave(file.readAll());
    QVERIFY2(wave.error.isEmpty(), qPrintable(wave.error));

    QCOMPARE(wave.format, quint16(1));
    QCOMPARE(wave.channels, quint16(1));
    QCOMPARE(wave.sampleRate, quint32(44100));
    QCOMPARE(wave.bitsPerSample, quint16(16));
    QCOMPARE(wave.blockAlign, quint16(2));
    QCOMPARE(wave.byteRate, wave.sampleRate * wave.blockAlign);
    QVERIFY(!wave.data.isEmpty());
    QCOMPARE(wave.data.size() % wave.blockAlign, 0);

    const qsizetype frames = wave.data.size() / wave.blockAlign;
    const double milliseconds = 1000.0 * frames / wave.sampleRate;
    QVERIFY2(milliseconds >= 10.0 && milliseconds <= 500.0, qPrintable(QString::number(milliseconds)));

    int peak = 0;
    for (qsizetype i = 0; i < frames; ++i)
        peak = qMax(peak, qAbs(int(qFromLittleEndian<qint16>(wave.data.constData() + 2 * i))));
    // Audible, yet short of full scale, where it would clip.
    QVERIFY2(peak > 32767 / 10, qPrintable(QString::number(peak)));
    QVERIFY2(peak < 32767, qPrintable(QString::number(peak)));
    // Ending away from zero would be heard as a second click.
    const int last = qAbs(int(qFromLittleEndian<qint16>(wave.data.constData() + 2 * (frames - 1))));
    QVERIFY2(last < 32767 / 100, qPrintable(QString::number(last)));
}

STADIONIX_TEST_MAIN(TestResources)
#include "tst_resources.moc"

#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>

#include "devices/scoreboarddriverinterface.h"

// Driver of C-Power LED controllers: binary packets with a start byte, a
// header with the board address, a little-endian length and checksum, an
// end byte, and byte stuffing so that start and end never occur inside.
class GlowmatrixDriver : public QObject, public ScoreboardDriverInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "chronavel.ScoreboardDriverInterface" FILE "glowmatrixdriver.json")
    Q_INTERFACES(ScoreboardDriverInterface)

public:
    GlowmatrixDriver();

    unsigned version() const override { return 20230321; }
    QString name() const override { return QStringLiteral("C-Power"); }
    QStringList products() const override { return m_products; }
    QStringList fontSizes() const override;
    QStringList textColors() const override { return m_colors; }
    QStringList alignments() const override
    {
        return {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")};
    }
    QStringList brightnessLevels() const override;
    QStringList colorCommandColors() const override { return m_commandColors; }
    int brightnessMinimum() const override { return 0; }
    int brightnessMaximum() const override { return 100; }
    int brightnessStep() const override { return 20; }
    int characterWidth(int fontSize) const override { return m_widths.value(fontSize, -1); }
    QByteArray clearCommand(int address, int width, int height) const override;
    QByteArray textCommand(const QJsonObject &item, int address) const override;
    QByteArray text5Command(const QJsonObject &item, int address) const override;
    QByteArray colorCommand(const QColor &color, int address) const override;
    QByteArray dataCommand(const QJsonObject &item, const QByteArray &data, int address) const override;
    QByteArray brightnessCommand(int address, const QString &level) const override;

private:
    QList<int> m_fontHeights; // index = font code
    QMap<int, int> m_widths;
    QStringList m_colors;
    QStringList m_commandColors;
    QMap<QString, int> m_alignments;
    // Brightness code and its label, in code order.
    QList<QPair<int, QString>> m_brightness;
    QStringList m_products;
};

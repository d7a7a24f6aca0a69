#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>

#include "devices/scoreboarddriverinterface.h"

// Driver of Changhong LED boards: one line of ASCII per command, ended by a
// carriage return, numbers in zero-padded lower-case hexadecimal. Nothing in
// the protocol addresses a board, so the address is ignored.
class LanternixDriver : public QObject, public ScoreboardDriverInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "chronavel.ScoreboardDriverInterface" FILE "lanternixdriver.json")
    Q_INTERFACES(ScoreboardDriverInterface)

public:
    LanternixDriver();

    unsigned version() const override { return 20230321; }
    QString name() const override { return QStringLiteral("Changhong"); }
    QStringList products() const override { return m_products; }
    QStringList fontSizes() const override;
    QStringList textColors() const override { return m_colors; }
    QStringList alignments() const override { return m_alignments; }
    QStringList brightnessLevels() const override;
    QStringList colorCommandColors() const override { return m_colors; }
    int brightnessMinimum() const override { return 0; }
    int brightnessMaximum() const override { return 10; }
    int brightnessStep() const override { return 1; }
    int characterWidth(int fontSize) const override;
    QByteArray clearCommand(int address, int width, int height) const override;
    QByteArray textCommand(const QJsonObject &item, int address) const override;
    QByteArray text5Command(const QJsonObject &item, int address) const override;
    QByteArray colorCommand(const QColor &color, int address) const override;
    QByteArray dataCommand(const QJsonObject &item, const QByteArray &data, int address) const override;
    QByteArray brightnessCommand(int address, const QString &level) const override;

    // The text cut or padded to the characters that the item's box holds.
    QString fitText(const QString &text, int width, int fontSize, const QString &alignment) const;

private:
    // Font letter and its pixel height, in letter order.
    QList<QPair<char, int>> m_fonts;
    QMap<int, int> m_widths;
    QStringList m_colors;
    QStringList m_alignments;
    // Brightness code and its label, in code order.
    QList<QPair<int, QString>> m_brightness;
    QStringList m_products;
};

#pragma once

#include <QByteArray>
#include <QColor>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QtPlugin>

// What a scoreboard driver plug-in offers: the byte strings of the commands
// of one make of LED board. A driver never touches a port; the device object
// that asks sends the bytes through its own. Shared by the program and the
// plug-ins (the header-only target stadionix_scoreboarddriverinterface), so
// it includes Qt only.
//
// A text item is one JSON object of a layout: "x", "y", "width", "height",
// "fontsize" (pixels), "color" ("#RRGGBB"), "alignment", "stayTime" and
// "dataSource" with "prefix", "value" and "suffix", joined to the text shown.
// An empty byte array means the driver has no such command.
class ScoreboardDriverInterface
{
public:
    virtual ~ScoreboardDriverInterface() = default;

    virtual unsigned version() const = 0;
    virtual QString name() const = 0;
    virtual QStringList products() const = 0;
    virtual QStringList fontSizes() const = 0;
    virtual QStringList textColors() const = 0;
    virtual QStringList alignments() const = 0;
    // Level labels in ascending order of their codes.
    virtual QStringList brightnessLevels() const = 0;
    virtual QStringList colorCommandColors() const = 0;
    virtual int brightnessMinimum() const = 0;
    virtual int brightnessMaximum() const = 0;
    virtual int brightnessStep() const = 0;
    // Pixel width of one character of that font height; -1 when unknown.
    virtual int characterWidth(int fontSize) const = 0;
    virtual QByteArray clearCommand(int address, int width, int height) const = 0;
    virtual QByteArray textCommand(const QJsonObject &item, int address) const = 0;
    virtual QByteArray text5Command(const QJsonObject &item, int address) const = 0;
    virtual QByteArray colorCommand(const QColor &color, int address) const = 0;
    virtual QByteArray dataCommand(const QJsonObject &item, const QByteArray &data, int address) const = 0;
    virtual QByteArray brightnessCommand(int address, const QString &level) const = 0;

    virtual void setProduct(const QString &product) { m_product = product; }
    virtual QString product() const { return m_product; }

protected:
    QString m_product;
};

// Helpers of the drivers, for the keys every text item has.
namespace ScoreboardItem {

// The text shown: "dataSource" "prefix", "value" and "suffix" joined.
inline QString text(const QJsonObject &item)
{
    const QJsonObject source = item.value(QLatin1String("dataSource")).toObject();
    return source.value(QLatin1String("prefix")).toString() + source.value(QLatin1String("value")).toString() +
           source.value(QLatin1String("suffix")).toString();
}

// The item's "color" when the driver lists it (exactly as written), black
// otherwise.
inline QColor listedColor(const QJsonObject &item, const QStringList &listed)
{
    const QString name = item.value(QLatin1String("color")).toString();
    return listed.contains(name) ? QColor(name) : QColor(0, 0, 0);
}

} // namespace ScoreboardItem

#define ScoreboardDriverInterface_iid "chronavel.ScoreboardDriverInterface/1.0"
Q_DECLARE_INTERFACE(ScoreboardDriverInterface, ScoreboardDriverInterface_iid)

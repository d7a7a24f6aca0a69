#include "devices/boardstate.h"

#include <QJsonArray>

#include <algorithm>

BoardState::BoardState(const QSize &size)
{
    setSize(size);
}

void BoardState::setSize(const QSize &size)
{
    if (size.width() > 0 && size.height() > 0 && size.width() <= MaximumSide && size.height() <= MaximumSide)
        m_size = size;
}

void BoardState::apply(const QList<BoardCommand> &commands)
{
    for (const BoardCommand &command : commands)
        apply(command);
}

void BoardState::apply(const BoardCommand &command)
{
    switch (command.kind) {
    case BoardCommand::Clear:
        m_items.clear();
        ++m_clears;
        setSize(command.size);
        break;
    case BoardCommand::Text: {
        const QRect box = command.item.box;
        // What lies wholly under the new box is gone; the rest stays.
        m_items.erase(std::remove_if(m_items.begin(), m_items.end(),
                                     [&box](const BoardItem &item) { return box.contains(item.box); }),
                      m_items.end());
        m_items.append(command.item);
        break;
    }
    case BoardCommand::Brightness:
        m_brightness = command.brightness;
        m_brightnessLevel = command.brightnessLevel;
        break;
    case BoardCommand::Color:
        m_color = command.color;
        break;
    case BoardCommand::Data:
        break;
    }
}

QStringList BoardState::texts() const
{
    QList<const BoardItem *> shown;
    for (const BoardItem &item : m_items) {
        if (!item.text.trimmed().isEmpty())
            shown.append(&item);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const BoardItem *a, const BoardItem *b) {
        return a->box.y() != b->box.y() ? a->box.y() < b->box.y() : a->box.x() < b->box.x();
    });
    QStringList texts;
    for (const BoardItem *item : shown)
        texts.append(item->text.trimmed());
    return texts;
}

const BoardItem *BoardState::itemAt(const QPoint &point) const
{
    for (auto it = m_items.crbegin(); it != m_items.crend(); ++it) {
        if (it->box.contains(point))
            return &*it;
    }
    return nullptr;
}

QJsonObject BoardState::toJson() const
{
    QJsonArray items;
    for (const BoardItem &item : m_items)
        items.append(QJsonObject{{QStringLiteral("x"), item.box.x()},
                                 {QStringLiteral("y"), item.box.y()},
                                 {QStringLiteral("width"), item.box.width()},
                                 {QStringLiteral("height"), item.box.height()},
                                 {QStringLiteral("fontsize"), item.fontSize},
                                 {QStringLiteral("color"), item.color.name(QColor::HexRgb).toUpper()},
                                 {QStringLiteral("alignment"), item.alignment},
                                 {QStringLiteral("text"), item.text}});
    return QJsonObject{{QStringLiteral("width"), m_size.width()},
                       {QStringLiteral("height"), m_size.height()},
                       {QStringLiteral("clears"), m_clears},
                       {QStringLiteral("brightness"), m_brightnessLevel},
                       {QStringLiteral("items"), items}};
}

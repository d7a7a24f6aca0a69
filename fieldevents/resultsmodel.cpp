#include "fieldevents/resultsmodel.h"

#include <QColor>
#include <QFont>

#include "fieldevents/fieldeventparticipantsmodel.h"
#include "records/participation.h"

ResultsModel::ResultsModel(const QVariantMap &eventValues, QObject *parent)
    : QAbstractTableModel(parent)
{
    m_fieldType = Participation::typeCharacter(eventValues.value(QStringLiteral("fieldType")).toString());
    m_attempts = eventValues.value(QStringLiteral("attempts"), 6).toInt();
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_fieldType == QLatin1Char('V') ? int(m_heights.size()) : m_attempts;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const int column = index.column();
    const bool vertical = m_fieldType == QLatin1Char('V');
    switch (role) {
    case Qt::DisplayRole: {
        if (column == m_currentColumn)
            return m_input;
        if (!m_participation)
            return QString();
        if (!vertical)
            return m_participation->resultTextOfAttempt(unsigned(column + 1));
        const HeightColumn &height = m_heights.at(column);
        return height.isJumpOff() ? m_participation->jumpOffMark(height.jumpOff)
                                  : m_participation->attemptString(height.height);
    }
    case Qt::BackgroundRole:
        if (column == m_currentColumn)
            return FieldEventParticipantsModel::Yellow;
        if (vertical && m_heights.at(column).isJumpOff())
            return FieldEventParticipantsModel::Orange;
        return FieldEventParticipantsModel::BlueGrey;
    case Qt::FontRole: {
        QFont font;
        font.setWeight(QFont::Bold);
        return font;
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return QVariant();
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= columnCount())
        return QVariant();
    if (m_fieldType == QLatin1Char('V'))
        return QString::number(m_heights.at(section).height, 'f', 2);
    return QString::number(section + 1);
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void ResultsModel::refreshAll()
{
    if (columnCount() > 0)
        emit dataChanged(index(0, 0), index(0, columnCount() - 1));
}

void ResultsModel::setParticipation(Participation *participation)
{
    m_participation = participation;
    refreshAll();
}

void ResultsModel::setHeightColumns(const HeightColumns &heights)
{
    // The current column follows its height when columns come or go before
    // it; it is none when its height is gone.
    const bool vertical = m_fieldType == QLatin1Char('V');
    const bool hadCurrent = vertical && m_currentColumn >= 0 && m_currentColumn < m_heights.size();
    const HeightColumn current = hadCurrent ? m_heights.at(m_currentColumn) : HeightColumn{};
    beginResetModel();
    m_heights = heights;
    if (vertical)
        m_currentColumn = hadCurrent ? int(m_heights.indexOf(current)) : -1;
    else if (m_currentColumn >= columnCount())
        m_currentColumn = -1;
    endResetModel();
}

void ResultsModel::setInputText(const QString &text)
{
    m_input = text;
    if (m_currentColumn >= 0)
        emit dataChanged(index(0, m_currentColumn), index(0, m_currentColumn));
}

void ResultsModel::selectAttempt(int attempt)
{
    m_currentColumn = -1;
    for (int column = 0; column < columnCount(); ++column) {
        if (headerData(column, Qt::Horizontal).toString() == QString::number(attempt))
            m_currentColumn = column;
    }
    refreshAll();
}

void ResultsModel::selectHeight(double height, unsigned jumpOff)
{
    m_currentColumn = int(m_heights.indexOf(HeightColumn{height, jumpOff}));
    refreshAll();
}

#include "fieldevents/fieldeventparticipantsmodel.h"

#include <QFont>
#include <QIcon>

#include <algorithm>

#include "records/participation.h"

const QColor FieldEventParticipantsModel::Grey(190, 190, 190);
const QColor FieldEventParticipantsModel::Green(181, 230, 29);
const QColor FieldEventParticipantsModel::LightBlue(235, 245, 255);
const QColor FieldEventParticipantsModel::BlueGrey(207, 225, 236);
const QColor FieldEventParticipantsModel::Orange(251, 177, 58);
const QColor FieldEventParticipantsModel::Yellow(255, 205, 0);

FieldEventParticipantsModel::FieldEventParticipantsModel(const QVariantMap &eventValues, QObject *parent)
    : QAbstractTableModel(parent)
{
    m_fieldType = Participation::typeCharacter(eventValues.value(QStringLiteral("fieldType")).toString());
    m_numberOfAttempts = eventValues.value(QStringLiteral("attempts"), 6).toInt();
    for (const QVariant &height : eventValues.value(QStringLiteral("heights")).toList()) {
        if (height.toDouble() > 0)
            m_heights.append({height.toDouble(), 0});
    }
}

int FieldEventParticipantsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FieldEventParticipantsModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (m_fieldType == QLatin1Char('H'))
        return int(FirstAttemptColumn) + m_numberOfAttempts;
    if (m_fieldType == QLatin1Char('V'))
        return int(FirstAttemptColumn) + int(m_heights.size());
    return int(FirstAttemptColumn);
}

Participation *FieldEventParticipantsModel::participationAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : nullptr;
}

bool FieldEventParticipantsModel::isOut(int row) const
{
    const Participation *p = participationAt(row);
    return p && (p->abandon || p->out_of_competition_combined_event);
}

bool FieldEventParticipantsModel::heightAtColumn(int column, HeightColumn *height) const
{
    const int i = column - int(FirstAttemptColumn);
    if (m_fieldType != QLatin1Char('V') || i < 0 || i >= m_heights.size())
        return false;
    if (height)
        *height = m_heights.at(i);
    return true;
}

QVariant FieldEventParticipantsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    Participation *p = m_rows.at(index.row());
    const int column = index.column();

    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case NameColumn:
            return p->displayName();
        case BibColumn:
            return p->bib();
        case OrderColumn:
            return p->orderText();
        case RankColumn:
            return p->current_order == 0 ? QString() : QString::number(p->current_order);
        case BestColumn: {
            QString text = p->resultText(p->bestResult());
            if (p->abandon)
                text += tr("(r)");
            return text;
        }
        default:
            if (m_fieldType == QLatin1Char('H'))
                return p->resultTextOfAttempt(unsigned(attemptOfColumn(column)));
            if (HeightColumn height; heightAtColumn(column, &height)) {
                if (height.isJumpOff())
                    return p->jumpOffMark(height.jumpOff);
                return p->attemptString(height.height);
            }
            return QVariant();
        }
    case Qt::DecorationRole:
        if (column == NameColumn && p->abandon)
            return QIcon(QStringLiteral(":/fieldtablet/icons/fieldtablet/abandonbackground_9.png"));
        return QVariant();
    case Qt::FontRole:
        if (column >= FirstAttemptColumn && !m_fieldType.isNull()) {
            QFont font;
            font.setWeight(QFont::Bold);
            return font;
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        if (column >= FirstAttemptColumn)
            return int(Qt::AlignHCenter | Qt::AlignVCenter);
        return QVariant();
    case Qt::BackgroundRole:
        return background(index.row(), column);
    case Qt::ForegroundRole:
        if (m_fieldType == QLatin1Char('H') && m_currentSet && index.row() == m_currentRow && column == m_currentColumn)
            return QColor(Qt::white);
        return QVariant();
    case StartHeightRole:
        return p->startheight;
    default:
        return QVariant();
    }
}

bool FieldEventParticipantsModel::isDoneAt(const Participation *participation, const HeightColumn &height)
{
    // A jump-off attempt is a single try at its own bar: its mark counts,
    // not the regular tries at the same height.
    const QString marks =
        height.isJumpOff() ? participation->jumpOffMark(height.jumpOff) : participation->attemptString(height.height);
    return marks.contains(QLatin1Char('0')) || marks.contains(QLatin1Char('-'));
}

bool FieldEventParticipantsModel::currentHeight(HeightColumn *height) const
{
    return m_currentSet && heightAtColumn(m_currentColumn, height);
}

QVariant FieldEventParticipantsModel::background(int row, int column) const
{
    const Participation *p = m_rows.at(row);
    if (p->abandon || p->out_of_competition || p->out_of_competition_combined_event)
        return Grey;
    const Participation *current = m_currentSet ? participationAt(m_currentRow) : nullptr;
    const bool fixed = column < FirstAttemptColumn;

    if (m_fieldType == QLatin1Char('H')) {
        const bool currentParticipant = current && p->working_order == current->working_order;
        if (currentParticipant && (fixed || column == m_currentColumn))
            return Yellow;
        return fixed ? QVariant() : QVariant(BlueGrey);
    }
    if (m_fieldType != QLatin1Char('V'))
        return QVariant();

    HeightColumn cell;
    const bool isHeight = heightAtColumn(column, &cell);
    const QVariant heightColour = isHeight && cell.isJumpOff() ? Orange : LightBlue;
    if (current == p) {
        if (fixed || column == m_currentColumn)
            return Yellow;
        return heightColour;
    }
    HeightColumn now;
    if (currentHeight(&now) && (isDoneAt(p, now) || p->waitingForStartHeight))
        return Green;
    return fixed ? QVariant() : heightColour;
}

QVariant FieldEventParticipantsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < FirstAttemptColumn) {
        if (role == Qt::DisplayRole) {
            const QStringList texts{tr("Name"), tr("Bib"), tr("Start order"), tr("Rank"), tr("Best")};
            return texts.value(section);
        }
        if (role == Qt::ToolTipRole) {
            const QStringList texts{tr("Name"), tr("Bib"), tr("Start order"), tr("Rank"), tr("Best performance")};
            return texts.value(section);
        }
        return QVariant();
    }
    if (m_fieldType == QLatin1Char('H')) {
        if (section >= columnCount())
            return QVariant();
        const int attempt = attemptOfColumn(section);
        if (role == Qt::DisplayRole)
            return QString::number(attempt);
        if (role == Qt::ToolTipRole)
            return tr("Attempt %1").arg(attempt);
        return QVariant();
    }
    HeightColumn height;
    if (!heightAtColumn(section, &height))
        return QVariant();
    const QString text = QString::number(height.height, 'f', 2);
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::ToolTipRole:
        return tr("Height %1").arg(text);
    case HeightRole:
        return height.height;
    case JumpOffRole:
        return height.jumpOff;
    default:
        return QVariant();
    }
}

Qt::ItemFlags FieldEventParticipantsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled;
}

void FieldEventParticipantsModel::participationsReceived(const QString &heatId,
                                                         const QList<Participation *> &participations)
{
    Q_UNUSED(heatId)
    // A row is the same participation when it is the same record or has the
    // same local id (a record loaded anew).
    const auto same = [](const Participation *a, const Participation *b) {
        return a == b || (a->id != 0 && a->id == b->id);
    };
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        const Participation *existing = m_rows.at(row);
        const bool delivered = std::any_of(participations.cbegin(), participations.cend(),
                                           [&](const Participation *p) { return same(existing, p); });
        if (!delivered) {
            beginRemoveRows(QModelIndex(), row, row);
            m_rows.removeAt(row);
            endRemoveRows();
        }
    }
    for (Participation *p : participations) {
        const auto known =
            std::find_if(m_rows.begin(), m_rows.end(), [&](const Participation *r) { return same(r, p); });
        if (known != m_rows.end()) {
            *known = p;
            const int row = int(known - m_rows.begin());
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        } else {
            const int position = int(m_rows.size());
            beginInsertRows(QModelIndex(), position, position);
            m_rows.append(p);
            endInsertRows();
        }
    }
    if (m_currentRow >= m_rows.size())
        clearCurrentCell();
    emit results_received();
}

int FieldEventParticipantsModel::jumpOffColumns() const
{
    return int(
        std::count_if(m_heights.cbegin(), m_heights.cend(), [](const HeightColumn &h) { return h.isJumpOff(); }));
}

void FieldEventParticipantsModel::insertHeightColumn(int position, const HeightColumn &height)
{
    const int column = int(FirstAttemptColumn) + position;
    beginInsertColumns(QModelIndex(), column, column);
    m_heights.insert(position, height);
    endInsertColumns();
    if (m_currentSet && m_currentColumn >= column)
        ++m_currentColumn;
    emit columns_updated();
}

void FieldEventParticipantsModel::addHeight(double height)
{
    if (!(height > 0) || indexOfHeight(height, 0) >= 0)
        return;
    // After every column whose height is not greater, so jump-off columns
    // at lower bars stay at the end.
    int position = 0;
    for (int i = 0; i < m_heights.size(); ++i) {
        const HeightColumn &h = m_heights.at(i);
        if (!h.isJumpOff() && h.height <= height)
            position = i + 1;
    }
    insertHeightColumn(position, {height, 0});
}

void FieldEventParticipantsModel::addJumpOffHeight(double height)
{
    unsigned highest = 0;
    for (const HeightColumn &h : std::as_const(m_heights))
        highest = std::max(highest, h.jumpOff);
    insertHeightColumn(int(m_heights.size()), {height, highest + 1});
}

void FieldEventParticipantsModel::removeJumpOffHeight(double height, unsigned jumpOff)
{
    const int column = indexOfHeight(height, jumpOff);
    if (column < 0)
        return;
    beginRemoveColumns(QModelIndex(), column, column);
    m_heights.removeAt(column - int(FirstAttemptColumn));
    endRemoveColumns();
    if (m_currentSet && m_currentColumn == column)
        clearCurrentCell();
    else if (m_currentSet && m_currentColumn > column)
        --m_currentColumn;
    emit columns_updated();
}

void FieldEventParticipantsModel::removeHeight(double height)
{
    removeJumpOffHeight(height, 0);
}

void FieldEventParticipantsModel::setHeights(const HeightColumns &heights)
{
    if (heights == m_heights)
        return;
    const int oldCount = int(m_heights.size());
    const int newCount = int(heights.size());
    const int first = int(FirstAttemptColumn);
    if (newCount < oldCount) {
        beginRemoveColumns(QModelIndex(), first + newCount, first + oldCount - 1);
        m_heights = heights;
        endRemoveColumns();
    } else if (newCount > oldCount) {
        beginInsertColumns(QModelIndex(), first + oldCount, first + newCount - 1);
        m_heights = heights;
        endInsertColumns();
    } else {
        m_heights = heights;
    }
    if (newCount > 0)
        emit headerDataChanged(Qt::Horizontal, first, first + newCount - 1);
    if (!m_rows.isEmpty() && newCount > 0)
        emit dataChanged(index(0, first), index(int(m_rows.size()) - 1, first + newCount - 1));
    if (m_currentSet && m_currentColumn >= columnCount())
        clearCurrentCell();
    emit columns_updated();
}

bool FieldEventParticipantsModel::heightHasResults(double height, unsigned jumpOff) const
{
    for (const Participation *p : m_rows) {
        for (const Result *r : p->results()) {
            if (!Participation::sameHeight(r->metavalue, height))
                continue;
            if (jumpOff == 0 || (r->isJumpOff() && r->jumpOffNumber() == jumpOff))
                return true;
        }
    }
    return false;
}

int FieldEventParticipantsModel::indexOfHeight(double height, unsigned jumpOff) const
{
    const HeightColumn wanted{height, jumpOff};
    for (int i = 0; i < m_heights.size(); ++i) {
        if (m_heights.at(i) == wanted)
            return int(FirstAttemptColumn) + i;
    }
    return -1;
}

int FieldEventParticipantsModel::rowOfParticipation(unsigned localId) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row)->id == localId)
            return row;
    }
    return -1;
}

void FieldEventParticipantsModel::setCurrentCell(int row, int column)
{
    const int oldRow = m_currentRow;
    m_currentRow = row;
    m_currentColumn = column;
    m_currentSet = row >= 0 && column >= 0;
    // The colours of the old and the new row, and of rows that turn green,
    // depend on the current cell.
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, columnCount() - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
    Q_UNUSED(oldRow)
}

void FieldEventParticipantsModel::clearCurrentCell()
{
    setCurrentCell(-1, -1);
}

void FieldEventParticipantsModel::refresh()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, columnCount() - 1));
}

void FieldEventParticipantsModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    refresh();
}

int FieldEventParticipantsModel::minimumColumnWidth(int column, const QFontMetrics &metrics) const
{
    static const int fixed[] = {300, 95, 50, 70, 100};
    const int minimum = column >= 0 && column < FirstAttemptColumn ? fixed[column] : 50;
    const int header = metrics.horizontalAdvance(headerData(column, Qt::Horizontal).toString()) + 16;
    return std::max(minimum, header);
}

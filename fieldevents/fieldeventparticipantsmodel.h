#pragma once

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QList>
#include <QStringList>
#include <QVariantMap>

#include "fieldevents/heightcolumn.h"
#include "sync/databasesynchronizationinterface.h"

class Participation;

// The attempt grid of a field event: one row per participation of the open
// heat, five fixed columns (name, bib, start order, rank, best) and then one
// column per attempt (horizontal) or per height and jump-off attempt
// (vertical). The participations belong to the server connection.
class FieldEventParticipantsModel : public QAbstractTableModel, public DatabaseSynchronizationInterface
{
    Q_OBJECT

public:
    enum Column { NameColumn = 0, BibColumn, OrderColumn, RankColumn, BestColumn, FirstAttemptColumn };
    enum Role {
        // data(): the participation's starting height (metres, 0 = none).
        StartHeightRole = Qt::UserRole + 1,
        // headerData(): the height of a height column, its jump-off number.
        HeightRole,
        JumpOffRole,
    };

    // Reads "fieldType" ("H", "V" or empty), "attempts" (default 6) and
    // "heights" (a list of heights) from the event values.
    explicit FieldEventParticipantsModel(const QVariantMap &eventValues, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void participationsReceived(const QString &heatId, const QList<Participation *> &participations) override;

    QChar fieldType() const { return m_fieldType; }
    bool isVertical() const { return m_fieldType == QLatin1Char('V'); }
    int numberOfAttempts() const { return m_numberOfAttempts; }
    const QList<Participation *> &participations() const { return m_rows; }

    // Heights of a vertical grid.
    const HeightColumns &heightColumns() const { return m_heights; }
    int jumpOffColumns() const;
    void addHeight(double height);
    void addJumpOffHeight(double height);
    void removeHeight(double height);
    void removeJumpOffHeight(double height, unsigned jumpOff);
    void setHeights(const HeightColumns &heights);
    bool heightHasResults(double height, unsigned jumpOff) const;
    // The model column of a height column, -1 when there is none.
    int indexOfHeight(double height, unsigned jumpOff = 0) const;
    // The height column behind a model column (none outside the heights).
    bool heightAtColumn(int column, HeightColumn *height) const;
    // The attempt number of a model column of a horizontal grid.
    static int attemptOfColumn(int column) { return column - int(FirstAttemptColumn) + 1; }
    static int columnOfAttempt(int attempt) { return attempt + int(FirstAttemptColumn) - 1; }

    int rowOfParticipation(unsigned localId) const;
    Participation *participationAt(int row) const;
    bool isOut(int row) const;

    void setCurrentCell(int row, int column);
    void clearCurrentCell();
    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentColumn; }
    bool hasCurrentCell() const { return m_currentSet; }
    // Re-reads every row (after the start order or the ranks changed).
    void refresh();
    // Headers and texts again, in the language now installed.
    void retranslate();

    // Minimum width of a column in pixels, widened to fit its header text.
    int minimumColumnWidth(int column, const QFontMetrics &metrics) const;

    static const QColor Grey, Green, LightBlue, BlueGrey, Orange, Yellow;

signals:
    void results_received();
    void columns_updated();

private:
    QVariant background(int row, int column) const;
    // Cleared or skipped at a height column (green in the grid).
    static bool isDoneAt(const Participation *participation, const HeightColumn &height);
    bool currentHeight(HeightColumn *height) const;
    void insertHeightColumn(int position, const HeightColumn &height);

    QChar m_fieldType;
    int m_numberOfAttempts = 6;
    QList<Participation *> m_rows;
    HeightColumns m_heights;
    int m_currentRow = -1;
    int m_currentColumn = -1;
    bool m_currentSet = false;
};

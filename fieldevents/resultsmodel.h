#pragma once

#include <QAbstractTableModel>
#include <QVariantMap>

#include "fieldevents/heightcolumn.h"

class Participation;

// The one-row strip above the keypad with the current participant's attempts
// (horizontal) or heights (vertical); the current column shows the text being
// typed.
class ResultsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Reads "fieldType" and "attempts" (default 6) from the event values.
    explicit ResultsModel(const QVariantMap &eventValues, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setParticipation(Participation *participation);
    Participation *participation() const { return m_participation; }
    void setHeightColumns(const HeightColumns &heights);
    void setInputText(const QString &text);
    QString inputText() const { return m_input; }

    // The column headed with this attempt number becomes current (none
    // when there is no such column).
    void selectAttempt(int attempt);
    void selectHeight(double height, unsigned jumpOff);
    int currentColumn() const { return m_currentColumn; }

private:
    void refreshAll();

    QChar m_fieldType;
    int m_attempts = 6;
    HeightColumns m_heights;
    Participation *m_participation = nullptr;
    QString m_input;
    int m_currentColumn = -1;
};

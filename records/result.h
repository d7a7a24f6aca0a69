#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <QTime>

class LocalDatabase;
class Participation;

// One attempt, height try or time of a participation. Plain record: no signals.
class Result : public QObject
{
public:
    explicit Result(LocalDatabase *store = nullptr, Participation *participation = nullptr, QObject *parent = nullptr);

    LocalDatabase *store = nullptr;
    bool isNew = false;
    bool deleted = false;

    unsigned result_id = 0; // the server's id, 0 until confirmed
    unsigned id = 0;        // row in the local store
    unsigned seqno = 0;
    bool best_result = false;
    bool best_valid_result = false;
    QString display;      // the server's display text, not stored
    double metavalue = 0; // vertical: the height of this try
    QString type = QStringLiteral("FTB");
    double value = 0;
    double wind = 0;
    QTime time_performed = QTime::currentTime();
    bool official = false;
    Participation *participation = nullptr;

    QString info() const { return m_info; }
    void setInfo(const QString &info);
    bool isJumpOff() const { return m_jumpOff; }
    unsigned jumpOffNumber() const { return m_jumpOffNumber; }

    // The text shown for this result, by the field type of its event.
    QString text(QChar fieldType) const;

    // Writes the result: deletes it (marked deleted, not new), inserts it (new)
    // or updates it, queueing what the server has to learn (see LocalDatabase).
    void save();
    // Writes only the best-result flag.
    void saveBestFlag();

private:
    QString m_info;
    bool m_jumpOff = false;
    unsigned m_jumpOffNumber = 0;
};

#pragma once

#include <QChar>
#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <memory>

#include "devices/attemptcountdown.h"
#include "devices/boardstate.h"
#include "devices/charactertransformer.h"
#include "devices/portdevice.h"
#include "records/participation.h"

class BoardDecoder;
class QTimer;
class ScoreboardDriverInterface;

// The LED scoreboard. Owned by the DeviceSet; builds its port from the
// settings group "scoreboard", loads the driver plug-ins and the layout files
// beside the program, and shows what the screens report: a participant, a
// result, a ranking page after page, free text, and the attempt countdown.
// The current layout says where each piece goes; the current driver (the one
// whose name() is the layout's "controllertype") turns each item into bytes,
// which go to the port paced: 150 ms after a clear, 75 ms after a text.
class Scoreboard : public PortDevice
{
    Q_OBJECT

public:
    static constexpr int ClearPauseMs = 150;
    static constexpr int ItemPauseMs = 75;
    static constexpr int PagingIntervalMs = 10000;

    explicit Scoreboard(QObject *parent = nullptr);
    // Drivers and layouts from the folders "scoreboarddrivers" and
    // "scoreboardlayouts" of programFolder instead of the program's own.
    explicit Scoreboard(const QString &programFolder, QObject *parent = nullptr);
    ~Scoreboard() override;

    void loadDrivers();
    void loadLayouts();
    // The first layout of that board type and name, and the driver for it.
    void selectLayout(const QString &type, const QString &name);
    QString controllerName() const;
    QList<QVariantMap> layoutSummaries() const { return m_summaries; }
    QJsonObject currentLayout() const { return m_layout; }
    ScoreboardDriverInterface *currentDriver() const { return m_driver; }
    QList<ScoreboardDriverInterface *> drivers() const { return m_drivers; }
    // Ranking rows that fit below the event line.
    int linesPerPage() const { return m_linesPerPage; }
    // What the board shows after what was sent to it, read back from the
    // bytes: the devices dialog's preview (see BoardPainter).
    const BoardState &preview() const { return m_preview; }

    // The participation the next sending operation shows (not owned).
    void setCurrentParticipation(Participation *participation) { m_current = participation; }
    Participation *currentParticipation() const { return m_current; }

    void sendHorizontalParticipant();
    void sendVerticalParticipant();
    void sendHorizontalResult();
    void sendVerticalResult();
    // The result section of a retired athlete, on a cleared board.
    void sendResultAfterAttempt();
    // Shows the ranking page by page, a page every 10 s.
    void showRanking(QChar fieldType, const QString &eventName, const QList<Participation *> &ranking);
    void sendText(const QString &text);
    void clearBoard();
    void stepBrightness();
    unsigned brightness() const { return unsigned(m_brightness); }
    void setClearAfterResult(bool clear) { m_clearAfterResult = clear; }
    void setClearTimeout(int seconds) { m_clearTimeout = seconds; }
    void setCharacterTransformations(const QList<CharacterTransformation> &transformations);
    const CharacterTransformer &characterTransformer() const { return m_transformer; }

    void startPauseCountdown(bool manual);
    void resetCountdown();
    void setCountdownValue(int seconds);
    bool isCountdownRunning() const;
    void setStartCountdownAfterCall(bool start) { m_countdown->setStartAfterCall(start); }
    AttemptCountdown::State countdownState() const { return m_countdown->state(); }
    unsigned remainingSeconds() const { return m_countdown->remaining(); }

    void stopPaging();
    bool isPaging() const;
    // Rows of the ranking page on the board: first and one past the last.
    int pageStart() const { return m_pageStart; }
    int pageEnd() const { return m_pageEnd; }

public slots:
    void onTimerTimeout();
    void onClearTimerTimeout();
    void onCountdownClockTimerTimeout();

signals:
    void brightnessUpdated(uint value, uint max);
    void valueUpdated(uint value);
    void previewChanged();
    // Every output request, by name, for whoever follows the board (tests,
    // the devices dialog).
    void outputRequested(const QString &what);

private:
    bool canSend() const;
    void send(const QByteArray &bytes, int msleep);
    void sendSection(const QString &name, QChar fieldType, bool alwaysClear);
    void sendPage();
    void sendItem(const QJsonObject &item);
    void emitClear(int msleep);
    bool isCountdownEnabled() const;
    void showCountdown();

    QString m_folder;
    QList<ScoreboardDriverInterface *> m_drivers;
    QList<QJsonObject> m_layouts;
    QList<QVariantMap> m_summaries;
    QJsonObject m_layout;
    ScoreboardDriverInterface *m_driver = nullptr;
    int m_brightness = 0;
    int m_brightnessMinimum = 0;
    int m_brightnessMaximum = 0;
    int m_brightnessStep = 1;

    QPointer<Participation> m_current;
    // The ranking's records belong to the heat; one that is gone (the heat
    // was closed) ends the paging.
    QList<QPointer<Participation>> m_ranking;
    QChar m_rankingFieldType;
    QString m_rankingEvent;
    int m_pageStart = 0;
    int m_pageEnd = 0;
    int m_linesPerPage = 0;
    int m_eventHeight = -1;
    int m_nameHeight = -1;
    QTimer *m_pagingTimer;

    bool m_clearAfterResult = false;
    int m_clearTimeout = 5;
    QTimer *m_clearTimer;

    AttemptCountdown *m_countdown;

    CharacterTransformer m_transformer;
    std::unique_ptr<BoardDecoder> m_previewDecoder;
    BoardState m_preview;
};

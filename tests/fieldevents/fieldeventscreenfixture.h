#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#include "app/interfacesounds.h"
#include "devices/scoreboard.h"
#include "devices/videoscoreboard.h"
#include "fieldevents/fieldeventparticipantsmodel.h"
#include "fieldevents/fieldeventwidget.h"
#include "fieldevents/participantstartingheightwidget.h"
#include "fieldevents/setstartingheightsdialog.h"
#include "records/participation.h"
#include "schedule/modalanswerer.h"
#include "sync/databaseconnection.h"
#include "tools/meetwise-standin/standinserver.h"

// Presses a button of a modal dialog by object name or text.
inline void press(QWidget *dialog, const QString &button)
{
    for (QAbstractButton *candidate : dialog->findChildren<QAbstractButton *>()) {
        if (candidate->objectName() == button || candidate->text().remove('&') == button) {
            QTest::mouseClick(candidate, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no button %1 in %2").arg(button, dialog->windowTitle())));
}

// Answers the starting heights dialog that opens with a vertical heat: the
// default for everyone, and a different height for the last athlete drawn.
inline ModalAnswerer::Handler startingHeights(double everyone, double last)
{
    return [everyone, last](QWidget *dialog) {
        auto *startHeights = qobject_cast<SetStartingHeightsDialog *>(dialog);
        if (!startHeights) {
            // Not the dialog expected: closed, so the test fails instead of hanging.
            dialog->close();
            return;
        }
        dialog->findChild<QDoubleSpinBox *>("spnDefaultStartingHeight")->setValue(everyone);
        startHeights->rows().last()->setStartingHeight(last);
        press(dialog, "btnEnter");
    };
}

// The stand-in server on loopback with a competition made for a test (the
// demo's athletes and clubs, events of the test's own), a real store and
// connection, and the real field event screen on it.
class FieldEventScreenFixture
{
public:
    struct Heat
    {
        unsigned id;
        QString fieldType;
        QString windMode;
        int attempts;
        QList<unsigned> athletes; // demo athlete ids, in start order
        QString eventName = {};   // as the schedule names the event
    };

    // The server listens on port 8090 of the test's own loopback address
    // (docs/testing.md).
    FieldEventScreenFixture(const Heat &heat, const QString &address)
        : m_heat(heat)
    {
        QFile demo(StandinServer::demoCompetitionPath());
        demo.open(QIODevice::ReadOnly);
        QJsonObject root = QJsonDocument::fromJson(demo.readAll()).object();
        QJsonArray participations;
        for (int i = 0; i < heat.athletes.size(); ++i)
            participations.append(QJsonObject{{"id", double(firstParticipation() + unsigned(i))},
                                              {"athlete", double(heat.athletes.at(i))},
                                              {"initialorder", i + 1},
                                              {"category", "W"}});
        const QJsonObject event{
            {"id", 90},
            {"name", heat.fieldType == "V" ? "High Jump" : "Long Jump"},
            {"abbreviation", heat.fieldType == "V" ? "HJ" : "LJ"},
            {"windtime", 0},
            {"eventtype", QJsonObject{{"id", 9},
                                      {"fieldtype", heat.fieldType},
                                      {"athletesquantity", 1},
                                      {"combinedeventsquantity", 1},
                                      {"distance", 0},
                                      {"windmode", heat.windMode}}},
            {"eventcategories", QJsonArray{QJsonObject{{"name", "Women"}, {"abbreviation", "W"}}}},
            {"rounds",
             QJsonArray{QJsonObject{{"id", 91},
                                    {"name", "Final"},
                                    {"abbreviation", "F"},
                                    {"session", 1},
                                    {"scheduled", "2026-06-13 10:00:00"},
                                    {"attempts", heat.attempts},
                                    {"heats", QJsonArray{QJsonObject{{"id", double(heat.id)},
                                                                     {"seqno", 1},
                                                                     {"timescheduled", "10:00:00"},
                                                                     {"status", 1},
                                                                     {"participations", participations}}}}}}}};
        QJsonArray competitions = root.value("competitions").toArray();
        QJsonObject competition = competitions.first().toObject();
        competition.insert("events", QJsonArray{event});
        competitions.replace(0, competition);
        root.insert("competitions", competitions);
        const QString path = m_folder.filePath("competition.json");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(root).toJson());
        file.close();

        QString error;
        m_server.loadCompetition(path, &error);
        StandinServer::Settings settings;
        settings.address = QHostAddress(address);
        settings.port = 8090;
        started = m_server.start(settings, &error);

        connection = std::make_unique<DatabaseConnection>(nullptr, m_folder.path(), m_folder.filePath("stadionix.db"));
        connection->onSetDatabaseConnectionData(
            "meetwise", {{"ip", address}, {"user", "official"}, {"pass", "lap&time=42"}, {"competition", 1}});
        connection->setRetransmitInterval(500);

        eventData = {{"event.id", heat.id},
                     {"event.fieldType", heat.fieldType},
                     {"event.eventID", 90},
                     {"event.roundID", 91},
                     {"event.eventName", heat.eventName.isEmpty() ? QStringLiteral("Women's Event") : heat.eventName},
                     {"event.roundName", "Final"},
                     {"event.seqno", 1},
                     {"event.windMode", heat.windMode},
                     {"event.numberOfAttempts", heat.attempts},
                     {"event.participantsCached", 0},
                     {"event.combinedEventsQuantity", 0}};
        devices.scoreboard = &scoreboard;
        devices.videoScoreboard = &video;
        devices.sounds = &sounds;
        screen = std::make_unique<FieldEventWidget>(nullptr, eventData);
        screen->setDevices(devices);
        screen->resize(1280, 800);
        screen->show();
        screen->setDatabaseConnection(connection.get(), eventData);
    }

    unsigned firstParticipation() const { return m_heat.id * 100; }

    template <typename T = QPushButton> T *widget(const QString &name) const { return screen->findChild<T *>(name); }

    void click(const QString &name)
    {
        QPushButton *button = widget(name);
        QVERIFY2(button, qPrintable(name));
        QVERIFY2(button->isEnabled(), qPrintable(name + " disabled"));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Types a mark on the keypad: digits, "," or ".", "X" fail, "-" skip,
    // "O" pass, "r" retired, "<" back.
    void type(const QString &keys)
    {
        for (const QChar key : keys) {
            if (key.isDigit())
                click(QStringLiteral("btnButton%1").arg(key));
            else if (key == ',' || key == '.')
                click("btnButtonComma");
            else if (key == 'X')
                click("btnFail");
            else if (key == '-')
                click("btnSkip");
            else if (key == 'O')
                click("btnPass");
            else if (key == '<')
                click("btnButtonBack");
            else if (key == 'r')
                click("btnNoValidTrial");
        }
    }

    QString currentName() const
    {
        return screen->currentParticipation() ? screen->currentParticipation()->displayName() : QString();
    }

    // The athlete drawn n-th (1-based), as the test's cards count them.
    Participation *drawn(unsigned initialOrder) const
    {
        for (Participation *p : connection->participations()) {
            if (p->initial_order == initialOrder)
                return p;
        }
        return nullptr;
    }

    unsigned currentDrawn() const
    {
        return screen->currentParticipation() ? screen->currentParticipation()->initial_order : 0;
    }

    QList<StandinCompetition::StoredResult> serverResults(unsigned participationId)
    {
        const StandinCompetition::StoredParticipation *p = m_server.competition().participation(participationId);
        return p ? p->results : QList<StandinCompetition::StoredResult>{};
    }

    // Rank shown in the grid for the athlete drawn n-th.
    QString shownRank(unsigned initialOrder) const
    {
        FieldEventParticipantsModel *model = screen->gridModel();
        const int row = model->rowOfParticipation(drawn(initialOrder)->id);
        return model->index(row, FieldEventParticipantsModel::RankColumn).data().toString();
    }

    StandinServer &server() { return m_server; }

    bool started = false;
    std::unique_ptr<DatabaseConnection> connection;
    QVariantMap eventData;
    Scoreboard scoreboard;
    VideoScoreboard video;
    InterfaceSounds sounds;
    ScreenDevices devices;
    std::unique_ptr<FieldEventWidget> screen;

private:
    Heat m_heat;
    QTemporaryDir m_folder;
    StandinServer m_server;
};

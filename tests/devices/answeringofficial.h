#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "devices/edmofficialinterface.h"

// The official as a test plays it: answers given in advance, and a log of
// everything shown ("waiting", "tape 3", "crossbar 1.000", "missing
// references", "measure again: same point", ...).
class AnsweringOfficial : public EDMOfficialInterface
{
public:
    QStringList shown;
    QList<std::optional<double>> tapeAnswers;
    QList<std::optional<QString>> crossbarAnswers;
    // Called while the tape question is open (a reading that arrives then).
    std::function<void()> duringTapeQuestion;
    std::function<void()> cancel;
    bool waiting = false;

    void showWaiting(const std::function<void()> &cancelled) override
    {
        shown << QStringLiteral("waiting");
        waiting = true;
        cancel = [this, cancelled] {
            waiting = false;
            cancelled();
        };
    }
    void hideWaiting() override { waiting = false; }
    std::optional<double> askTapeDistance(unsigned eventType) override
    {
        shown << QStringLiteral("tape %1").arg(eventType);
        if (duringTapeQuestion)
            duringTapeQuestion();
        return tapeAnswers.isEmpty() ? std::nullopt : tapeAnswers.takeFirst();
    }
    std::optional<QString> askCrossbarHeight(const QString &proposal) override
    {
        shown << QStringLiteral("crossbar ") + proposal;
        return crossbarAnswers.isEmpty() ? std::nullopt : crossbarAnswers.takeFirst();
    }
    void tellMissingReferences() override { shown << QStringLiteral("missing references"); }
    void tellMeasureAgain(Refusal reason, double) override
    {
        shown << (reason == Refusal::SamePoint ? QStringLiteral("measure again: same point")
                                               : QStringLiteral("measure again: impossible distance"));
    }
};

#pragma once

#include <QObject>
#include <QPointer>

#include "devices/edmofficialinterface.h"

class EDMModel;
class QProgressDialog;
class QWidget;

// The EDM model's questions as the official sees them: a modal waiting
// dialog with a busy indicator while a reading is awaited, number and text
// input dialogs for the tape distance and the crossbar height, and message
// boxes. Made by the main window for the application's EDM model; it lets
// go of the model when it is destroyed.
class EDMDialogs : public QObject, public EDMOfficialInterface
{
    Q_OBJECT

public:
    EDMDialogs(EDMModel *model, QWidget *parent);
    ~EDMDialogs() override;

    void showWaiting(const std::function<void()> &cancelled) override;
    void hideWaiting() override;
    std::optional<double> askTapeDistance(unsigned eventType) override;
    std::optional<QString> askCrossbarHeight(const QString &proposal) override;
    void tellMissingReferences() override;
    void tellMeasureAgain(Refusal reason, double distance) override;

private:
    QWidget *parentWidget() const;

    QPointer<EDMModel> m_model;
    QPointer<QProgressDialog> m_waiting;
};

#include "devices/edmdialogs.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include "devices/edmeventtype.h"
#include "devices/edmmodel.h"

EDMDialogs::EDMDialogs(EDMModel *model, QWidget *parent)
    : QObject(parent)
    , m_model(model)
{
    if (model)
        model->setOfficial(this);
}

EDMDialogs::~EDMDialogs()
{
    delete m_waiting;
    if (m_model && m_model->official() == this)
        m_model->setOfficial(nullptr);
}

QWidget *EDMDialogs::parentWidget() const
{
    return qobject_cast<QWidget *>(parent());
}

void EDMDialogs::showWaiting(const std::function<void()> &cancelled)
{
    hideWaiting();
    auto *dialog =
        new QProgressDialog(tr("Waiting for laser distance measurement..."), tr("Cancel"), 0, 0, parentWidget());
    dialog->setObjectName(QStringLiteral("dlgEDMWaiting"));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    connect(dialog, &QProgressDialog::canceled, this, [this, dialog, cancelled] {
        if (m_waiting == dialog)
            m_waiting = nullptr;
        dialog->deleteLater();
        cancelled();
    });
    m_waiting = dialog;
    dialog->show();
}

void EDMDialogs::hideWaiting()
{
    if (!m_waiting)
        return;
    QProgressDialog *dialog = m_waiting;
    m_waiting = nullptr;
    // Closing it is not cancelling it.
    disconnect(dialog, &QProgressDialog::canceled, this, nullptr);
    dialog->hide();
    dialog->deleteLater();
}

std::optional<double> EDMDialogs::askTapeDistance(unsigned eventType)
{
    QString title = tr("Test measurements");
    QString label = tr("What distance did you measure using a tape measure starting from the circle (m)?");
    double minimum = -10;
    double maximum = 100;
    if (eventType == PoleVault) {
        title = tr("Measurement of height of the crossbar");
        label = tr("What height have you measured to the center of the crossbar (m)?");
        minimum = 0;
        maximum = 10;
    } else if (eventType == LongOrTripleJump) {
        label = tr("What distance did you measure using a tape measure starting from the take off board(m)?");
    }
    bool ok = false;
    const double distance =
        QInputDialog::getDouble(parentWidget(), title, label, 0, minimum, maximum, 3, &ok, Qt::WindowFlags(), 1);
    if (!ok)
        return std::nullopt;
    return distance;
}

std::optional<QString> EDMDialogs::askCrossbarHeight(const QString &proposal)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parentWidget(), tr("Height of the crossbar (m)"),
                              tr("What is the reference height of the crossbar (m), accurate to 1 mm? Note: you need "
                                 "to measure the center of the cross bar (or 15 mm above the bottom of the cross bar)"),
                              QLineEdit::Normal, proposal, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void EDMDialogs::tellMissingReferences()
{
    QMessageBox::information(parentWidget(), tr("Missing references"),
                             tr("There are no reference measurements set for this event. First set the reference "
                                "measurements before you can make a test measurement."),
                             QMessageBox::Ok);
}

void EDMDialogs::tellMeasureAgain(Refusal reason, double distance)
{
    const QString text =
        reason == Refusal::SamePoint
            ? tr("No distance can be computed from this reading: the point lies on a reference point, or two "
                 "reference points lie on each other. Take the measurement again.")
            : tr("The measured distance %1 m cannot be a mark. Take the measurement again.")
                  .arg(QString::number(distance, 'f', 3));
    QMessageBox::warning(parentWidget(), tr("Measure again"), text, QMessageBox::Ok);
}

#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QPointer>

class Participation;
class ParticipantStartingHeightWidget;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScreen;

// The judge sets every participation's starting height, with a default that
// fills all rows and the interval between heights. The rows write into the
// records as they change; a dialog closed without Enter puts every starting
// height back as it was.
class SetStartingHeightsDialog : public QDialog
{
    Q_OBJECT

public:
    SetStartingHeightsDialog(const QList<Participation *> &participations, double firstHeight, double heightStep,
                             QWidget *parent = nullptr);

    double firstHeight() const { return m_firstHeight; }
    double heightStep() const { return m_heightStep; }
    const QList<ParticipantStartingHeightWidget *> &rows() const { return m_rows; }

    // Centred horizontally, 50 pixels from the top of the screen, as high as
    // the screen less 100 pixels (but not less than it needs).
    void placeOn(const QScreen *screen);

    // Closing without Enter restores the starting heights.
    void done(int result) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    // Each participation's starting height when the dialog opened.
    QList<QPair<QPointer<Participation>, double>> m_originalHeights;

    double m_firstHeight;
    double m_heightStep;
    QGroupBox *m_grpDefaults;
    QLabel *m_lblStartingHeight;
    QLabel *m_lblInterval;
    QDoubleSpinBox *m_spnStartingHeight;
    QDoubleSpinBox *m_spnInterval;
    QPushButton *m_btnEnter;
    QList<ParticipantStartingHeightWidget *> m_rows;
};

#pragma once

#include <QDialog>
#include <QList>

class Participation;
class ParticipantStartingHeightWidget;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScreen;

// The judge sets every participation's starting height, with a default that
// fills all rows and the interval between heights.
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

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

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

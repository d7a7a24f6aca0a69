#pragma once

#include <QWidget>

class Participation;
class QDoubleSpinBox;
class QLabel;

// One row of the starting heights dialog: order, name, bib and the
// participation's starting height, written into the record as it changes.
class ParticipantStartingHeightWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ParticipantStartingHeightWidget(Participation *participation, QWidget *parent = nullptr);

    Participation *participation() const { return m_participation; }
    void setStartingHeight(double height);
    double startingHeight() const;

private:
    Participation *m_participation;
    QLabel *m_lblOrder;
    QLabel *m_lblName;
    QLabel *m_lblBib;
    QDoubleSpinBox *m_spnHeight;
};

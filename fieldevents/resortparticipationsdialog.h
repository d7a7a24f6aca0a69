#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

// Asks how many of the best participants get the final attempts (0 = all).
class ResortParticipationsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ResortParticipationsDialog(int proposedNumber = 8, QWidget *parent = nullptr);

    int numberOfParticipants() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_lblQuestion;
    QLabel *m_lblExplanation;
    QLabel *m_lblNumber;
    QSpinBox *m_spnNumber;
    QPushButton *m_btnCancel;
    QPushButton *m_btnSelect;
};

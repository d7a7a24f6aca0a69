#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Asks for the next bar height and whether it is a regular height or a
// jump-off attempt.
class NewHeightFieldVerticalDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewHeightFieldVerticalDialog(QWidget *parent = nullptr);

    void setHeight(double height);
    double height() const;
    void setJumpOff(bool jumpOff);
    bool isJumpOff() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_lblHeight;
    QDoubleSpinBox *m_spnHeight;
    QRadioButton *m_rdbAccordingHeight;
    QRadioButton *m_rdbJumpOff;
    QPushButton *m_btnCancel;
    QPushButton *m_btnOK;
};

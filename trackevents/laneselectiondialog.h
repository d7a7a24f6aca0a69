#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// Keypad for a participant's lane: ten lane buttons that choose at once, and a
// field for any other lane from 1 to 99 that Return or Enter confirms.
class LaneSelectionDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int LaneButtons = 10;

    LaneSelectionDialog(uint localId, uint lane, const QString &bib, const QString &name, const QString &info,
                        QWidget *parent = nullptr);

    uint localId() const { return m_localId; }
    // The chosen lane; the one passed in until something else is chosen.
    uint lane() const { return m_lane; }

public slots:
    void onBtnLane1Clicked();
    void onBtnLane2Clicked();
    void onBtnLane3Clicked();
    void onBtnLane4Clicked();
    void onBtnLane5Clicked();
    void onBtnLane6Clicked();
    void onBtnLane7Clicked();
    void onBtnLane8Clicked();
    void onBtnLane9Clicked();
    void onBtnLane10Clicked();
    void onBtnToggleInputFieldClicked();
    // Shows the field for another lane when toggle is true, hides it otherwise.
    void updateCustomField(bool toggle);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void chooseLane(uint lane);
    void retranslate();

    uint m_localId;
    uint m_lane;
    QLabel *m_lblBib;
    QLabel *m_lblName;
    QLabel *m_lblInfo;
    QList<QPushButton *> m_laneButtons;
    QPushButton *m_btnToggleInputField;
    QLineEdit *m_txtLane;
    QPushButton *m_btnCancel;
};

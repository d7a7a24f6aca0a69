#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Where every device is chosen and configured. The device pages come with
// the devices themselves; for now it shows what is there.
class DevicesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DevicesDialog(QWidget *parent = nullptr);

    // Take-off boards chosen for the EDM (1 or 2).
    int numberOfBoards() const { return m_numberOfBoards; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    int m_numberOfBoards;
    QLabel *m_lblInfo;
    QPushButton *m_btnOK;
    QPushButton *m_btnCancel;
};

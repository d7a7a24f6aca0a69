#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The program's version and build.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    static QString versionText();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_lblVersion;
    QLineEdit *m_txtVersion;
    QPushButton *m_btnOK;
};

#pragma once

#include <QDialog>

class AnimatedButton;
class QLabel;
class QLineEdit;
class QPushButton;

// Manual entry of a wind reading with a keypad, when no gauge is used or it
// gave none: at most one decimal, accepted only strictly between -8 and 8 m/s.
class WindspeedInputDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WindspeedInputDialog(QWidget *parent = nullptr);

    // -9 (not measured) unless a wind was confirmed with OK.
    double windspeed() const { return m_value; }
    QString text() const;

public slots:
    void onWindspeedTextChanged(const QString &value);
    void onButton0Clicked() { digit(0); }
    void onButton1Clicked() { digit(1); }
    void onButton2Clicked() { digit(2); }
    void onButton3Clicked() { digit(3); }
    void onButton4Clicked() { digit(4); }
    void onButton5Clicked() { digit(5); }
    void onButton6Clicked() { digit(6); }
    void onButton7Clicked() { digit(7); }
    void onButton8Clicked() { digit(8); }
    void onButton9Clicked() { digit(9); }
    void onButtonBackClicked();
    void onButtonCommaClicked();
    void onButtonMinusClicked();
    void onOKClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    using Slot = void (WindspeedInputDialog::*)();
    AnimatedButton *addKey(const QString &name, const QString &image, Slot slot);
    void digit(int value);
    void append(const QString &text);
    // After every key: the click, and which keys may be used.
    void afterKey();
    void retranslate();

    QLabel *m_lblWindspeed;
    QLineEdit *m_txtWindspeed;
    QPushButton *m_btnOK;
    QPushButton *m_btnCancel;
    QList<AnimatedButton *> m_keys;
    AnimatedButton *m_btnBack = nullptr;
    double m_value = -9;
};

#pragma once

#include <QDialog>

#include <functional>

class AnimatedButton;
class QLabel;
class QLineEdit;
class QPushButton;

// Manual entry of a wind reading with a keypad, when the gauge gave none.
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
    void onOKClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    AnimatedButton *addKey(const QString &name, const QString &image, const std::function<void()> &action);
    void append(const QString &text);
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

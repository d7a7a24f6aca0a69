#pragma once

#include <QWidget>

class QLabel;

// The page for the distance meter on its own, without a competition server.
class EDMPerformanceWidget : public QWidget
{
    Q_OBJECT

public:
    explicit EDMPerformanceWidget(QWidget *parent = nullptr);

    // After the devices dialog: follow the meter's state again.
    void reloadEDMState();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_lblInfo;
};

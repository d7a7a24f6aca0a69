#pragma once

#include <QDoubleSpinBox>

// A spin box for marks and heights that takes "." as decimal point whatever
// the machine's language, so that "1.5" means the same on every tablet. The
// comma key types a point as well.
class LocaleIndepententQDoubleSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit LocaleIndepententQDoubleSpinBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};

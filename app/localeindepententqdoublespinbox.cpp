#include "app/localeindepententqdoublespinbox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

LocaleIndepententQDoubleSpinBox::LocaleIndepententQDoubleSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    if (locale().decimalPoint() == QLatin1String(","))
        setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
}

void LocaleIndepententQDoubleSpinBox::keyPressEvent(QKeyEvent *event)
{
    QDoubleSpinBox::keyPressEvent(event);
    if (event->key() != Qt::Key_Comma)
        return;
    QKeyEvent period(QEvent::KeyPress, Qt::Key_Period, event->modifiers(), QStringLiteral("."), event->isAutoRepeat(),
                     ushort(event->count()));
    QDoubleSpinBox::keyPressEvent(&period);
}

void LocaleIndepententQDoubleSpinBox::focusInEvent(QFocusEvent *event)
{
    QDoubleSpinBox::focusInEvent(event);
    selectAll();
    // A tap places the cursor after focus has arrived and would undo the
    // selection, so select once more when the tap has been handled.
    QTimer::singleShot(0, this, &QAbstractSpinBox::selectAll);
}

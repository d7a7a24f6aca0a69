#include "devices/windspeedinputdialog.h"

#include <QDoubleValidator>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/animatedbutton.h"
#include "app/interfacesounds.h"
#include "app/screendevices.h"
#include "devices/transport/transportlogging.h"

WindspeedInputDialog::WindspeedInputDialog(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint)
    , m_lblWindspeed(new QLabel(this))
    , m_txtWindspeed(new QLineEdit(this))
    , m_btnOK(new QPushButton(this))
    , m_btnCancel(new QPushButton(this))
{
    m_lblWindspeed->setObjectName(QStringLiteral("lblWindspeed"));
    m_txtWindspeed->setObjectName(QStringLiteral("txtWindspeed"));
    auto *validator = new QDoubleValidator(-8, 8, 1, m_txtWindspeed);
    validator->setLocale(QLocale::c());
    m_txtWindspeed->setValidator(validator);
    m_txtWindspeed->setMinimumHeight(48);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setIcon(QIcon(QStringLiteral(":/fatcow/icons/fatcow/accept_button.png")));
    m_btnOK->setMinimumHeight(64);

    auto *keypad = new QGridLayout;
    const QString base = QStringLiteral(":/fieldtablet/icons/fieldtablet/");
    for (int digit = 1; digit <= 9; ++digit) {
        keypad->addWidget(addKey(QStringLiteral("btnButton%1").arg(digit), base + QStringLiteral("button%1").arg(digit),
                                 [this, digit] { append(QString::number(digit)); }),
                          (digit - 1) / 3, (digit - 1) % 3);
    }
    keypad->addWidget(addKey(QStringLiteral("btnButtonMinus"), base + QStringLiteral("buttonhyphen"),
                             [this] {
                                 if (m_txtWindspeed->text().isEmpty())
                                     append(QStringLiteral("-"));
                             }),
                      3, 0);
    keypad->addWidget(
        addKey(QStringLiteral("btnButton0"), base + QStringLiteral("button0"), [this] { append(QStringLiteral("0")); }),
        3, 1);
    keypad->addWidget(addKey(QStringLiteral("btnButtonComma"), base + QStringLiteral("buttondot_9"),
                             [this] {
                                 if (!m_txtWindspeed->text().contains(QLatin1Char('.')))
                                     append(QStringLiteral("."));
                             }),
                      3, 2);
    m_btnBack = addKey(QStringLiteral("btnButtonBack"), base + QStringLiteral("buttonbackspace_9"), [this] {
        QString text = m_txtWindspeed->text();
        text.chop(1);
        m_txtWindspeed->setText(text);
    });
    keypad->addWidget(m_btnBack, 4, 0);
    // Cancel: the wind was not measured (-9).
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setMinimumHeight(64);
    keypad->addWidget(m_btnCancel, 4, 1);
    keypad->addWidget(m_btnOK, 4, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblWindspeed);
    layout->addWidget(m_txtWindspeed);
    layout->addLayout(keypad);

    connect(m_txtWindspeed, &QLineEdit::textChanged, this, &WindspeedInputDialog::onWindspeedTextChanged);
    connect(m_btnOK, &QPushButton::clicked, this, &WindspeedInputDialog::onOKClicked);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
    afterKey();
}

void WindspeedInputDialog::append(const QString &text)
{
    m_txtWindspeed->setText(m_txtWindspeed->text() + text);
}

AnimatedButton *WindspeedInputDialog::addKey(const QString &name, const QString &image,
                                             const std::function<void()> &action)
{
    auto *key = new AnimatedButton(this);
    key->setObjectName(name);
    key->setIcons(QIcon(image + QStringLiteral(".png")), QIcon(image + QStringLiteral("_active.png")));
    key->setIconSize(QSize(72, 72));
    key->setFlat(true);
    connect(key, &QPushButton::clicked, this, [this, action] {
        action();
        afterKey();
        if (InterfaceSounds *sounds = ScreenDevices::fromApplication().sounds)
            sounds->play(InterfaceSounds::Click);
    });
    m_keys.append(key);
    return key;
}

void WindspeedInputDialog::afterKey()
{
    for (AnimatedButton *key : std::as_const(m_keys))
        key->setEnabled(true);
    m_btnBack->setEnabled(!m_txtWindspeed->text().isEmpty());
}

QString WindspeedInputDialog::text() const
{
    return m_txtWindspeed->text();
}

void WindspeedInputDialog::onWindspeedTextChanged(const QString &value)
{
    QString text = value;
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    const int separator = text.indexOf(QLatin1Char(','));
    if (separator >= 0 && text.size() - separator - 1 > 1) {
        text.truncate(separator + 2);
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        const QSignalBlocker blocker(m_txtWindspeed);
        m_txtWindspeed->setText(text);
    }
}

void WindspeedInputDialog::onOKClicked()
{
    QString text = m_txtWindspeed->text();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    qCDebug(lcTransport) << text << " to " << value << " OK " << ok;
    if (!text.isEmpty() && ok && value > -8 && value < 8) {
        qCDebug(lcTransport) << "Validation OK";
        m_value = value;
        accept();
        return;
    }
    qCDebug(lcTransport) << "Validation NOK";
    m_lblWindspeed->setText(text.isEmpty() ? tr("Type the wind, or Cancel when it was not measured")
                                           : tr("Wind must lie between -8 and 8 m/s"));
}

void WindspeedInputDialog::retranslate()
{
    setWindowTitle(tr("Manual windspeed result"));
    m_lblWindspeed->setText(tr("Fill in a windspeed result:"));
    m_txtWindspeed->setPlaceholderText(tr("value"));
    m_btnOK->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
}

void WindspeedInputDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "records/disqualificationrule.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Chooses a special track result: NR, DNS and DNF at one tap; DQ with one of
// the server's disqualification rules or a rule typed by the official.
class ResultSelectionDialog : public QDialog
{
    Q_OBJECT

public:
    ResultSelectionDialog(const QList<DisqualificationRule> &rules, uint localId, uint lane, const QString &bib,
                          const QString &name, const QString &info, QWidget *parent = nullptr);

    uint localId() const { return m_localId; }
    // The chosen mark (-7 NR, -3 DNS, -2 DNF, -4 DQ) and the result's info text.
    double value() const { return m_value; }
    QString text() const { return m_text; }

public slots:
    void onButtonNRClicked();
    void onButtonDNSClicked();
    void onButtonDNFClicked();
    void onButtonDQClicked();
    void onCmbDisqualificationRuleCurrentIndexChanged(int index);
    void onDisqualificationTextChanged(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void choose(double value);
    void retranslate();

    QList<DisqualificationRule> m_rules;
    uint m_localId;
    double m_value;
    QString m_text;
    bool m_disqualifying = false;

    QLabel *m_lblBib;
    QLabel *m_lblName;
    QLabel *m_lblInfo;
    QPushButton *m_buttonNR;
    QPushButton *m_buttonDNS;
    QPushButton *m_buttonDNF;
    QPushButton *m_buttonDQ;
    QComboBox *m_cmbDisqualificationRule;
    QLineEdit *m_txtDisqualification;
    QPushButton *m_btnCancel;
};

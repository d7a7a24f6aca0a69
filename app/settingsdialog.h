#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// Lets the user pick the interface language from the translation files that
// lie beside the program.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // translationsFolder defaults to "translations" beside the program.
    explicit SettingsDialog(QWidget *parent = nullptr, const QString &translationsFolder = QString());

    static QString defaultTranslationsFolder();
    // The language code of a translation file name: after the first "_",
    // without the extension ("stadionix_nl.qm" gives "nl").
    static QString languageCodeOfFile(const QString &fileName);
    // The language's name in that language, capitalised ("Deutsch",
    // "English", "Français", "Nederlands"), with its country when the code
    // names one.
    static QString languageName(const QString &code);

signals:
    void changeLanguage(QString language);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillLanguages(const QString &folder);
    void retranslate();
    void onLanguageChosen(int index);

    QLabel *m_lblLanguage;
    QComboBox *m_cmbLanguage;
    QPushButton *m_btnOK;
};

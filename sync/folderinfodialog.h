#pragma once

#include <QDialog>
#include <QVariantMap>

class AtletiekNuSettingsWidget;
class MeetwiseSettingsWidget;
class QPushButton;
class QStackedWidget;

// Binds a data folder to a server: the official chooses the kind of server
// with one of two toggles and fills in that kind's page. Filled from the
// folder's "sync" file; the caller takes the kind and the page's settings.
class FolderInfoDialog : public QDialog
{
    Q_OBJECT

public:
    enum ServerKind { NoServer = 0, Meetwise = 1, AtletiekNu = 2 };

    // The kind checked at first is the one the settings name (group
    // "communication", key "database"), else the one the file names.
    explicit FolderInfoDialog(const QString &syncFilePath, QWidget *parent = nullptr);

    int serverKind() const;
    // "meetwise", "atletieknu", or empty for no server.
    QString databaseType() const;
    // The checked page's settings, keys as the "sync" file stores them.
    QVariantMap configuration() const;

    MeetwiseSettingsWidget *meetwisePage() const { return m_meetwise; }
    AtletiekNuSettingsWidget *atletiekNuPage() const { return m_atletiekNu; }

public slots:
    void onMeetwiseToggled(bool checked);
    void onAtletiekNuToggled(bool checked);

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void retranslateUi();
    void readFile(const QString &syncFilePath);
    void keepOneChecked(QPushButton *toggled, QPushButton *other, bool checked);
    void updateState();

    QPushButton *m_btnMeetwise = nullptr;
    QPushButton *m_btnAtletiekNu = nullptr;
    QStackedWidget *m_pages = nullptr;
    MeetwiseSettingsWidget *m_meetwise = nullptr;
    AtletiekNuSettingsWidget *m_atletiekNu = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
};

#include "app/mainwindow.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "store/localdatabase.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_store(new LocalDatabase(this))
{
    setWindowTitle(QStringLiteral("Stadionix"));
    resize(800, 600);
    auto *label = new QLabel(tr("No events scheduled"), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    warnWhenStoreUnusable();
}

void MainWindow::warnWhenStoreUnusable()
{
    if (m_store->isUsable())
        return;
    const QString detail = m_store->errorText();
    // Shown once the window is up, on top of it.
    QTimer::singleShot(0, this, [this, detail] {
        QMessageBox::critical(this, tr("Local database"),
                              tr("The local database cannot be opened, so results cannot be stored on this "
                                 "device. Do not use this device to enter results.\n\n%1")
                                  .arg(detail));
    });
}

#include <QFont>
#include <QHostAddress>
#include <QMessageBox>
#include <QMetaType>
#include <QTimer>

#include <cstdio>

#include "app/mainwindow.h"
#include "app/stadionix.h"
#include "app/terminationwatcher.h"
#include "app/uiremote.h"
#include "buildinfo.h"

int main(int argc, char *argv[])
{
    TerminationWatcher::installHandlers();
    qRegisterMetaType<QHostAddress>("QHostAddress");
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QT_WARNING_POP
    QCoreApplication::setOrganizationName(QStringLiteral("Chronavel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("chronavel.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Stadionix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(STADIONIX_VERSION));

    auto *app = new Stadionix(argc, argv);
    if (app->isSecondary()) {
        const QString text = QStringLiteral("Already an instance of Stadionix is running, this one will be closed");
        std::fprintf(stderr, "%s\n", qPrintable(text));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("already running"), text, QMessageBox::Ok);
        // Unattended runs (scripts, kiosk starts) must not hang on the box.
        if (qEnvironmentVariableIsSet("STADIONIX_UNATTENDED"))
            QTimer::singleShot(0, &box, &QMessageBox::accept);
        box.exec();
        delete app;
        return 0;
    }

    Stadionix::applyApplicationFont();

    auto *window = new MainWindow;
    app->mainWindow = window;
    window->showMaximized();
    // A termination request closes the window like the user would.
    // Scripted runs (the end-to-end tests) drive the program through this.
    UiRemote::startFromEnvironment(app);
    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, window, &QWidget::close);
    const int code = app->exec();
    app->mainWindow = nullptr;
    delete window;
    delete app;
    return code;
}

#pragma once

#include <QCoreApplication>
#include <QStandardPaths>
#include <QString>
#include <QtTest>

// Shared set-up of every test executable.
namespace TestSupport {

// Names the application like the program does and switches QStandardPaths to
// test mode, so no test can read or write a user's settings or database.
// Switches the program's debug lines on.
void prepareApplication();

// Turns every warning or critical log line that the test did not announce with
// QTest::ignoreMessage into a failure. Call from init().
void failOnUnexpectedWarnings();

// Folder of the build tree and of the sources, and the program built there.
QString buildDir();
QString sourceDir();
QString programPath();

// Lays out a folder for the program as a separate process: its settings
// and data folders (config/Chronavel, data) and a "sync" file that binds it
// to the stand-in competition server at that address. The settings file is
// the caller's.
bool prepareProgramFolder(const QString &folder, const QString &serverHost);

// The memory this process holds now (resident set), in KiB.
qint64 residentKiB();

// Returns once a timer of the given interval, started now, has fired. Qt fires
// timers in the order they fall due, so by then every timer of that interval
// started earlier has fired too, however loaded the machine: the way to show
// that a timer under test did nothing. A margin covers the 5% by which a
// coarse timer may be late.
bool waitPastTimersOf(int intervalMs);

// AddressSanitizer's quarantine holds freed memory back, so figures of the
// resident size say nothing about growth in such a build.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool AddressSanitizer = true;
#else
inline constexpr bool AddressSanitizer = false;
#endif
#else
inline constexpr bool AddressSanitizer = false;
#endif

} // namespace TestSupport

#if defined(QT_WIDGETS_LIB)
#include <QApplication>
#define STADIONIX_TEST_APPLICATION QApplication
#else
#include <QGuiApplication>
#define STADIONIX_TEST_APPLICATION QGuiApplication
#endif

#define STADIONIX_TEST_MAIN(TestObject)                                                                                \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QStandardPaths::setTestModeEnabled(true);                                                                      \
        STADIONIX_TEST_APPLICATION app(argc, argv);                                                                    \
        TestSupport::prepareApplication();                                                                             \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

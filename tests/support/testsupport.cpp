#include "testsupport.h"

#include <QRegularExpression>

namespace TestSupport {

void prepareApplication()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Chronavel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("chronavel.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Stadionix"));
}

void failOnUnexpectedWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

QString buildDir()
{
    return QStringLiteral(STADIONIX_BUILD_DIR);
}

QString sourceDir()
{
    return QStringLiteral(STADIONIX_SOURCE_DIR);
}

QString programPath()
{
    return buildDir() + QStringLiteral("/stadionix");
}

} // namespace TestSupport

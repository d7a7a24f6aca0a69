#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

#include "store/charactertransformation.h"

// Replaces characters that a board cannot show (a u with diaeresis on a
// C-Power board becomes "ue"), with the transformations of the store that
// belong to the current driver, in their order.
class CharacterTransformer
{
public:
    void setTransformations(const QList<CharacterTransformation> &transformations);
    void setDriverName(const QString &driverName);

    QString apply(const QString &text) const;
    // The pattern that finds the characters to replace (for the tests).
    QString pattern() const { return m_pattern.pattern(); }

private:
    void rebuild();

    QList<CharacterTransformation> m_all;
    QString m_driverName;
    QList<CharacterTransformation> m_current;
    QRegularExpression m_pattern;
};

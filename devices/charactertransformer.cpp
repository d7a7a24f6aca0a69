#include "devices/charactertransformer.h"

void CharacterTransformer::setTransformations(const QList<CharacterTransformation> &transformations)
{
    m_all = transformations;
    rebuild();
}

void CharacterTransformer::setDriverName(const QString &driverName)
{
    if (driverName == m_driverName)
        return;
    m_driverName = driverName;
    rebuild();
}

void CharacterTransformer::rebuild()
{
    m_current.clear();
    QStringList sources;
    for (const CharacterTransformation &t : std::as_const(m_all)) {
        if (t.driverName != m_driverName || t.source.isEmpty())
            continue;
        m_current.append(t);
        // A source is text, not a pattern: "." or "(" must match only itself.
        sources.append(QRegularExpression::escape(t.source));
    }
    m_pattern = sources.isEmpty() ? QRegularExpression() : QRegularExpression(sources.join(QLatin1Char('|')));
}

QString CharacterTransformer::apply(const QString &text) const
{
    if (m_current.isEmpty())
        return text;
    QString result = text;
    QRegularExpressionMatchIterator matches = m_pattern.globalMatch(text);
    while (matches.hasNext()) {
        const QString found = matches.next().captured();
        for (const CharacterTransformation &t : m_current) {
            if (t.source == found) {
                if (!t.transformed.isEmpty())
                    result.replace(found, t.transformed);
                break;
            }
        }
    }
    return result;
}

#include "settings/Filter.h"

#include "util/Regex.h"

bool Filter::isAccepted(const QString& name) const
{
    return Regex::firstMatch(QStringLiteral(".*(") + m_regex + QStringLiteral(").*"), name).has_value();
}

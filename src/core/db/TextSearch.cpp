#include "core/db/TextSearch.h"

namespace textsearch {

QString equalsIgnoringCase(const QString &expression)
{
    return expression + QStringLiteral(" = ? COLLATE NOCASE");
}

QString ignoringCaseKey(const QString &expression)
{
    return expression + QStringLiteral(" COLLATE NOCASE");
}

}  // namespace textsearch

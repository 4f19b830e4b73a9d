#include "core/money/DecimalColumns.h"

#include "core/db/Schema.h"

#include <QSet>

namespace decimalcolumns {

namespace {

// Result aliases that name no table column of their own.
const char *const kAliases[] = {
    "zsl", "zje", "zcb", "zmaoli", "sltc", "jetc", "ztc", "cgsl", "cgje", "xssl", "xsje",
    "rksl", "rkje", "ysl", "yje", "hjsl", "hjje", "zyse", "zsse", "zqk", "zyfe", "zsfe",
    "zse", "zze", "zkcsl", "zkcje", "kc",
};

QSet<QString> makeNames()
{
    QSet<QString> names;
    for (const schema::Table &t : schema::tables())
        for (const schema::Column &c : t.columns)
            if (c.kind == schema::Kind::Decimal)
                names.insert(QString::fromLatin1(c.name));
    for (const char *a : kAliases)
        names.insert(QString::fromLatin1(a));
    return names;
}

}  // namespace

bool contains(const QString &name)
{
    static const QSet<QString> names = makeNames();
    return names.contains(name.toLower());
}

}  // namespace decimalcolumns

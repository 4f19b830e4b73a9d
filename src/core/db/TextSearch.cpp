#include "core/db/TextSearch.h"

#include "core/db/Sql.h"

namespace textsearch {

QString equalsIgnoringCase(const QString &expression)
{
    return expression + QStringLiteral(" = ? COLLATE NOCASE");
}

QString ignoringCaseKey(const QString &expression)
{
    return expression + QStringLiteral(" COLLATE NOCASE");
}

namespace {

// "lower(<prefix>a), lower(<prefix>b), ...": the columns as the index holds them.
QString folded(const QStringList &columns, const QString &prefix)
{
    QStringList out;
    for (const QString &c : columns)
        out << QStringLiteral("lower(") + prefix + c + u')';
    return out.join(QStringLiteral(", "));
}

}  // namespace

QStringList creation(const TextIndex &index)
{
    const QString &n = index.name;
    const QString columns = index.columns.join(QStringLiteral(", "));
    // The index holds no copy of the texts (content=''), only the trigrams
    // of the folded texts, which is all a search reads; so a row leaves it by
    // the 'delete' command with the same folded texts it came in with.
    const QString add = QStringLiteral("INSERT INTO ") + n + QStringLiteral("(rowid, ") + columns +
                        QStringLiteral(") VALUES (new.id, ") + folded(index.columns, QStringLiteral("new.")) +
                        QStringLiteral(");");
    const QString drop = QStringLiteral("INSERT INTO ") + n + u'(' + n + QStringLiteral(", rowid, ") +
                         columns + QStringLiteral(") VALUES ('delete', old.id, ") +
                         folded(index.columns, QStringLiteral("old.")) + QStringLiteral(");");
    QStringList changed;
    for (const QString &c : QStringList{QStringLiteral("id")} + index.columns)
        changed << QStringLiteral("old.") + c + QStringLiteral(" IS NOT new.") + c;
    const QString trigger = QStringLiteral("CREATE TRIGGER IF NOT EXISTS ") + n;
    return {
        QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS ") + n + QStringLiteral(" USING fts5(") +
            columns +
            QStringLiteral(", content='', columnsize=0, tokenize='trigram case_sensitive 1')"),
        // Filled anew, so that a second run leaves it as the first did.
        QStringLiteral("INSERT INTO ") + n + u'(' + n + QStringLiteral(") VALUES ('delete-all')"),
        QStringLiteral("INSERT INTO ") + n + QStringLiteral("(rowid, ") + columns +
            QStringLiteral(") SELECT id, ") + folded(index.columns, QString()) +
            QStringLiteral(" FROM ") + index.table,
        trigger + QStringLiteral("_insert AFTER INSERT ON ") + index.table +
            QStringLiteral(" BEGIN ") + add + QStringLiteral(" END"),
        trigger + QStringLiteral("_delete AFTER DELETE ON ") + index.table +
            QStringLiteral(" BEGIN ") + drop + QStringLiteral(" END"),
        // Only a change of a searched text (not of the stock, which every
        // posting writes) touches the index.
        trigger + QStringLiteral("_update AFTER UPDATE OF id, ") + columns + QStringLiteral(" ON ") +
            index.table + QStringLiteral(" WHEN ") + changed.join(QStringLiteral(" OR ")) +
            QStringLiteral(" BEGIN ") + drop + u' ' + add + QStringLiteral(" END"),
    };
}

bool canSearch(const QString &text)
{
    // The trigram tokenizer counts characters, not UTF-16 units.
    int characters = 0;
    for (int i = 0; i < text.size() && characters < 3; ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++characters;
    }
    return characters >= 3;
}

namespace {

// The rows of the index holding the text (bound): the text as one phrase of
// the index's query language, in double quotes with a quote in it doubled, so
// that every other character stands for itself; folded as the index holds
// the columns.
QString rowsContaining(const TextIndex &index)
{
    return QStringLiteral("SELECT rowid FROM ") + index.name + QStringLiteral(" WHERE ") +
           index.name + QStringLiteral(" MATCH '\"' || replace(lower(?), '\"', '\"\"') || '\"'");
}

}  // namespace

QString containsCondition(const TextIndex &index)
{
    return QStringLiteral("id IN (") + rowsContaining(index) + u')';
}

int countUpTo(const QSqlDatabase &db, const TextIndex &index, const QString &text, int limit)
{
    return sql::scalar(db,
                       QStringLiteral("SELECT count(*) FROM (") + rowsContaining(index) +
                           QStringLiteral(" LIMIT ?) AS found"),
                       {text, limit})
        .toInt();
}

}  // namespace textsearch

#pragma once

#include <QCollator>
#include <QString>
#include <QStringView>

// The order names are listed in, the Chinese collation of the locale
// library: digits first, then Chinese text in pinyin order, then Latin letters
// by the alphabet, a lower-case letter just before its capital. A title click on a text column
// sorts by it, and the SQL collation PINYIN (registered on every connection)
// compares with it, so a list opened in name order and the same list sorted
// by a click on its name title agree row for row.
class NameOrder
{
public:
    NameOrder();

    // Negative, zero or positive as a sorts before, with or after b.
    int compare(QStringView a, QStringView b) const { return m_collator.compare(a, b); }
    // A key whose comparison gives the same order, for sorting many texts.
    QCollatorSortKey sortKey(const QString &text) const { return m_collator.sortKey(text); }

private:
    QCollator m_collator;
};

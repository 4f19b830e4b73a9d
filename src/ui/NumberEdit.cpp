#include "ui/NumberEdit.h"

#include "core/money/Decimal.h"

#include <QKeyEvent>

NumberEdit::NumberEdit(QWidget *parent, bool allowNegative, int rules)
    : QLineEdit(parent), m_allowNegative(allowNegative), m_rules(rules)
{
    setText(QStringLiteral("0"));
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &NumberEdit::onTextChanged);
}

bool NumberEdit::acceptsCharacter(QChar c) const
{
    if (c.unicode() >= u'0' && c.unicode() <= u'9')
        return true;
    // The text that stays when the character is typed (a selection is replaced).
    QString rest = text();
    if (hasSelectedText())
        rest.remove(selectionStart(), selectedText().size());
    if (c == u'.')
        return !rest.contains(u'.');
    if (c == u'-')
        return m_allowNegative && !rest.contains(u'-');
    return false;
}

void NumberEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && !acceptsCharacter(typed[0])) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent *event)
{
    if (m_rules & TidyOnLeave)
        tidy();
    QLineEdit::focusOutEvent(event);
}

void NumberEdit::tidy()
{
    const QString t = text().trimmed();
    if (t == QStringLiteral("-"))
        setText(QStringLiteral("0"));
    else if (decimaltext::hasMoreThanTwoDecimals(t))
        setText(decimaltext::rewriteTo2IfLonger(t));
}

void NumberEdit::onTextChanged(const QString &text)
{
    // Only spaces (pasted) count as empty too.
    if ((m_rules & EmptyBecomesZero) && text.trimmed().isEmpty()) {
        setText(QStringLiteral("0"));
        selectAll();
    }
}

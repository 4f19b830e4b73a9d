#pragma once

#include <QLineEdit>

// An edit box for quantities, prices and amounts.
//
// Keys: digits, one ".", one "-" where negatives are allowed, backspace and
// the editing keys; any other character is swallowed. Pasted text is not
// filtered: the reading of the value reports what is not a number.
// Rules (each can be switched off for windows that differ):
//  - EmptyBecomesZero: a field that is emptied (or left with only spaces)
//    shows "0" (selected, so the next digit replaces it);
//  - TidyOnLeave: on leaving, a lone "-" becomes "0" and more than two
//    decimals are rounded to the "0.00" form.
class NumberEdit : public QLineEdit
{
    Q_OBJECT
public:
    enum Rule { NoRules = 0, EmptyBecomesZero = 1, TidyOnLeave = 2, AllRules = 3 };

    explicit NumberEdit(QWidget *parent = nullptr, bool allowNegative = true, int rules = AllRules);

    bool allowsNegative() const { return m_allowNegative; }
    void setAllowNegative(bool allow) { m_allowNegative = allow; }
    void setRules(int rules) { m_rules = rules; }

    // Applies the leaving rule now (windows call it before reading the value
    // when the focus has not left the field).
    void tidy();

    // Whether a typed character would be accepted by the key filter.
    bool acceptsCharacter(QChar c) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void onTextChanged(const QString &text);

    bool m_allowNegative;
    int m_rules;
};

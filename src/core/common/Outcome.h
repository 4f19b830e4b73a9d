#pragma once

#include <QString>

// How the core answers an action the operator asked for (saving, renaming,
// deleting, posting, ...): done, or refused with the words the operator
// reads. A refusal is an answer, not an exception: it carries its message,
// how the message is shown, and the field the window puts the focus on. A
// database failure during the action is answered the same way (Error;
// nothing of the action stays). Functions that only read throw DbError.

// How a refusal is shown: "提示" with the information icon (a field to put
// right), "警告" with the warning icon (the action is not allowed), "错误"
// with the error icon (the database failed and nothing was written).
enum class Severity { Info, Warning, Error };

// `Field` names the fields of the action's window: an enumeration whose
// value-initialised member means none, or a column name (empty for none).
template <class Field>
struct Outcome {
    QString message;  // empty when the action was done
    Severity severity = Severity::Info;
    Field focus{};

    bool ok() const { return message.isEmpty(); }

    static Outcome refused(Severity severity, const QString &message, Field focus = Field{})
    {
        return {message, severity, focus};
    }
    // The database failed: its own words, nothing written.
    static Outcome failed(const QString &databaseMessage)
    {
        return {databaseMessage, Severity::Error, Field{}};
    }
};

// The answer of an action that saves a row: its outcome and, when done, the
// row's id.
template <class Field>
struct Saved : Outcome<Field> {
    qint64 id = 0;

    static Saved done(qint64 id) { return {{}, id}; }
    static Saved of(const Outcome<Field> &refusal) { return {refusal, 0}; }
};

#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

// A field with its "…" button beside it, the button opening the field's
// picker (经办人, 客户, 编码 of the document windows). The button is named by
// its hint and takes no focus. The label that names the field stays the
// field's buddy, and the field carries the label's caption as its accessible
// name: inside this widget the label is no longer beside the field, where the
// accessibility bridge looks for it.
class PickerField : public QWidget
{
    Q_OBJECT
public:
    // Takes the field into this widget; the button gets the object name and
    // the hint.
    PickerField(QLineEdit *field, const QString &buttonName, const QString &buttonHint,
                QWidget *parent);

    // The "…" button alone, for forms that set it in a column of their own
    // beside the field.
    static QToolButton *makeButton(const QString &name, const QString &hint, QWidget *parent);

    QLineEdit *field() const { return m_field; }
    QToolButton *button() const { return m_button; }

    // The label naming the field: its buddy is the field, its caption the
    // field's accessible name.
    void setLabel(QLabel *label);

private:
    QLineEdit *m_field;
    QToolButton *m_button;
};

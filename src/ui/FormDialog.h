#pragma once

#include <QDialog>
#include <QObject>

#include <functional>
#include <vector>

class FocusChain;
class QHBoxLayout;
class QLayout;
class QPushButton;
class QVBoxLayout;

// Whether a form dialog adds a row or edits one.
enum class FormMode { Add, Edit };

// One step of a form's Enter chain: Enter in `field` runs `enter`, or, when
// it has none, moves to the next step's field (in the last step it presses
// the form's action button).
struct EnterStep {
    QWidget *field = nullptr;
    std::function<void()> enter = {};
};

// Plain steps along these fields.
std::vector<EnterStep> enterSteps(const std::vector<QWidget *> &fields);

// What every form of the program has below its fields: a row at the right
// with the action button (`BitBtn1`, "保存" in most forms) and the close
// button (`BitBtn2`, "关闭"), neither a default button, so that Enter belongs
// to the fields; and the Enter chain along the fields whose last step presses
// the action button. The window's layout is the fields above that row.
class FormFrame : public QObject
{
    Q_OBJECT
public:
    // Lays `window` out; call it once the fields are made (so that Tab
    // reaches the buttons after them).
    FormFrame(QWidget *window, QLayout *fields, const QString &action, const QString &close);

    QPushButton *actionButton() const { return m_action; }
    QPushButton *closeButton() const { return m_close; }
    // The window's layout: the fields, then the button row.
    QVBoxLayout *layout() const { return m_layout; }
    // The button row; more buttons go in at its left (`insertWidget`).
    QHBoxLayout *buttonRow() const { return m_row; }

    void enterAlong(const std::vector<EnterStep> &steps);

private:
    QPushButton *m_action;
    QPushButton *m_close;
    QVBoxLayout *m_layout;
    QHBoxLayout *m_row;
    FocusChain *m_chain;
};

// A modal form dialog on that frame. The close button (and Esc) runs
// closeClick(), which rejects the dialog; the window connects the action
// button to its own action. Add/edit dialogs keep their mode here.
class FormDialog : public QDialog
{
    Q_OBJECT
public:
    FormMode formMode() const { return m_mode; }

    QPushButton *BitBtn1 = nullptr;  // the action
    QPushButton *BitBtn2 = nullptr;  // close

protected:
    explicit FormDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // Lays the dialog out: the fields above the button row. Once, after
    // making the fields.
    FormFrame &setFields(QLayout *fields, const QString &action = QStringLiteral("保存"),
                         const QString &close = QStringLiteral("关闭"));
    FormFrame &frame() const { return *m_frame; }
    void enterAlong(const std::vector<EnterStep> &steps);

    // The mode and the caption that goes with it.
    void setFormMode(FormMode mode, const QString &caption);

    virtual void closeClick();
    void keyPressEvent(QKeyEvent *event) override;

private:
    FormFrame *m_frame = nullptr;
    FormMode m_mode = FormMode::Add;
};

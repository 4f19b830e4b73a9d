#include "ui/FormDialog.h"

#include "ui/FocusChain.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *formButton(QWidget *window, const QString &caption, const QString &name)
{
    auto *b = new QPushButton(caption, window);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

}  // namespace

std::vector<EnterStep> enterSteps(const std::vector<QWidget *> &fields)
{
    std::vector<EnterStep> steps;
    steps.reserve(fields.size());
    for (QWidget *f : fields)
        steps.push_back({f});
    return steps;
}

// ---- FormFrame ----------------------------------------------------------------

FormFrame::FormFrame(QWidget *window, QLayout *fields, const QString &action,
                     const QString &close)
    : QObject(window),
      m_action(formButton(window, action, QStringLiteral("BitBtn1"))),
      m_close(formButton(window, close, QStringLiteral("BitBtn2"))),
      m_layout(new QVBoxLayout(window)),
      m_row(new QHBoxLayout),
      m_chain(new FocusChain(this))
{
    m_row->addStretch();
    m_row->addWidget(m_action);
    m_row->addWidget(m_close);
    m_layout->addLayout(fields);
    m_layout->addLayout(m_row);
}

void FormFrame::enterAlong(const std::vector<EnterStep> &steps)
{
    for (size_t i = 0; i < steps.size(); ++i) {
        const EnterStep &s = steps[i];
        if (s.enter)
            m_chain->then(s.field, s.enter);
        else if (i + 1 < steps.size())
            m_chain->then(s.field);
        else
            m_chain->then(s.field, [b = m_action] { b->click(); });
    }
}

// ---- FormDialog ---------------------------------------------------------------

FormDialog::FormDialog(QWidget *parent, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    setModal(true);
}

FormFrame &FormDialog::setFields(QLayout *fields, const QString &action, const QString &close)
{
    Q_ASSERT(!m_frame);
    m_frame = new FormFrame(this, fields, action, close);
    BitBtn1 = m_frame->actionButton();
    BitBtn2 = m_frame->closeButton();
    connect(BitBtn2, &QPushButton::clicked, this, [this] { closeClick(); });
    return *m_frame;
}

void FormDialog::enterAlong(const std::vector<EnterStep> &steps)
{
    m_frame->enterAlong(steps);
}

void FormDialog::setFormMode(FormMode mode, const QString &caption)
{
    m_mode = mode;
    setWindowTitle(caption);
}

void FormDialog::closeClick()
{
    reject();
}

void FormDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel) && BitBtn2) {
        BitBtn2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

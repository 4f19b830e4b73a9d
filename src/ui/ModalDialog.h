#pragma once

#include <QDialog>
#include <QPointer>

// A modal dialog with one owner: the window that opened it, as its parent.
// It is made on the heap with that parent, run with exec(), and deleted when
// this goes out of scope, unless the parent (and the dialog with it) was
// destroyed while it ran; then there is nothing left to delete, exec() says
// Rejected and gone() is true, and the opener must not touch itself either.
template <class D>
class ModalDialog
{
public:
    explicit ModalDialog(D *dialog) : m_dialog(dialog) {}
    ~ModalDialog() { delete m_dialog.data(); }
    ModalDialog(const ModalDialog &) = delete;
    ModalDialog &operator=(const ModalDialog &) = delete;

    D *get() const { return m_dialog.data(); }
    D *operator->() const { return m_dialog.data(); }
    D &operator*() const { return *m_dialog; }

    int exec() { return m_dialog ? m_dialog->exec() : int(QDialog::Rejected); }
    bool gone() const { return m_dialog.isNull(); }

private:
    QPointer<D> m_dialog;
};

#pragma once

// Answering the modal dialog an action opens, from inside its exec(): the
// answer is queued before the action runs and acts once the dialog is up.
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>

// Answers the next modal dialog of type Dialog once it is up: `act` runs on
// it and should close it; a dialog of another type, or one `act` leaves open,
// is closed so that the test goes on. seen() tells whether it came.
template <class Dialog>
class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(Dialog &)> act) : m_state(std::make_shared<State>())
    {
        std::shared_ptr<State> state = m_state;
        QTimer::singleShot(0, [state, act] {
            QPointer<QWidget> modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<Dialog *>(modal.data())) {
                state->seen = true;
                state->title = dialog->windowTitle();
                act(*dialog);
            }
            if (modal && modal == QApplication::activeModalWidget())
                modal->close();
        });
    }
    bool seen() const { return m_state->seen; }
    QString title() const { return m_state->title; }

private:
    struct State {
        bool seen = false;
        QString title;
    };
    std::shared_ptr<State> m_state;
};

// Runs `step` on the modal dialog of type D once it is shown (the caller then
// opens it). The dialog is made the active window first, as a desktop does
// (the offscreen platform does not activate what it shows), so that the keys
// a step sends go into the dialog, not into the window behind it. A dialog a
// failed step leaves open is rejected, so that the test does not wait.
template <class D>
void whenShown(std::function<void(D *)> step)
{
    QTimer::singleShot(0, [step] {
        auto *d = qobject_cast<D *>(QApplication::activeModalWidget());
        QVERIFY2(d, "the expected dialog is not shown");
        QApplication::setActiveWindow(d);
        step(d);
        if (d->isVisible())
            d->reject();
    });
}

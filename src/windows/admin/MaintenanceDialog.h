#pragma once

#include "core/maintenance/ShopStore.h"
#include "ui/FormDialog.h"

#include <functional>
#include <memory>

class QProgressBar;
class TDM1;

// What the four maintenance dialogs share: the data module and its store,
// and a long operation run with a progress bar below the fields while the
// window stays painted, its buttons and Esc idle until it is done.
class MaintenanceDialog : public FormDialog
{
    Q_OBJECT
public:
    // The store the operations act on (the data module's, unless a test
    // gives another).
    maintenance::ShopStore &store() { return *m_store; }
    void setStore(std::unique_ptr<maintenance::ShopStore> store);

    QProgressBar *progressBar() const { return m_bar; }
    bool isBusy() const { return m_busy; }

    void reject() override;

protected:
    MaintenanceDialog(TDM1 &dm, QWidget *parent);

    // After setFields(): the progress bar goes between the fields and the buttons.
    void addProgressBar();
    // Runs `operation`, which is given the progress to report to.
    void whileBusy(const std::function<void(const maintenance::Progress &)> &operation);

    void closeEvent(QCloseEvent *event) override;

    TDM1 &m_dm;

private:
    std::unique_ptr<maintenance::ShopStore> m_store;
    QProgressBar *m_bar = nullptr;
    bool m_busy = false;
};

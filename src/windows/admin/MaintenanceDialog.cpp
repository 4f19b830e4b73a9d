#include "windows/admin/MaintenanceDialog.h"

#include "core/db/Udm1.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

MaintenanceDialog::MaintenanceDialog(TDM1 &dm, QWidget *parent)
    : FormDialog(parent), m_dm(dm), m_store(maintenance::storeOf(dm))
{
}

void MaintenanceDialog::setStore(std::unique_ptr<maintenance::ShopStore> store)
{
    m_store = std::move(store);
}

void MaintenanceDialog::addProgressBar()
{
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setAccessibleName(QStringLiteral("进度"));
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(true);
    m_bar->hide();
    frame().layout()->insertWidget(1, m_bar);
}

void MaintenanceDialog::whileBusy(
    const std::function<void(const maintenance::Progress &)> &operation)
{
    m_busy = true;
    BitBtn1->setEnabled(false);
    BitBtn2->setEnabled(false);
    if (m_bar) {
        m_bar->setValue(0);
        m_bar->show();
    }
    operation([this](qint64 done, qint64 total) {
        if (!m_bar)
            return;
        if (total <= 0) {
            m_bar->setRange(0, 0);  // how long is not known yet
            return;
        }
        m_bar->setRange(0, 1000);
        m_bar->setValue(int(std::clamp<qint64>(done * 1000 / total, 0, 1000)));
    });
    if (m_bar)
        m_bar->hide();
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    m_busy = false;
}

void MaintenanceDialog::reject()
{
    if (!m_busy)
        FormDialog::reject();
}

void MaintenanceDialog::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    FormDialog::closeEvent(event);
}

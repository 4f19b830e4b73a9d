#include "windows/admin/Uyhsz1.h"

#include "core/admin/Operators.h"
#include "core/db/Udm1.h"
#include "ui/ListGrid.h"
#include "ui/ListWindow.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/Outcomes.h"
#include "windows/admin/Uquanxian1.h"
#include "windows/admin/Utjyh1.h"

#include <QVBoxLayout>

TFyhsz1::TFyhsz1(TDM1 &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("TFyhsz1"));
    setWindowTitle(QStringLiteral("操作员设置"));
    setModal(true);

    m_list = new ListWindow(this);
    m_list->addButton(QStringLiteral("新增"), [this] { addClick(); }, QStringLiteral("BitBtn1"));
    m_list->addButton(QStringLiteral("删除"), [this] { deleteClick(); }, QStringLiteral("BitBtn2"));
    m_list->addButton(QStringLiteral("修改"), [this] { editClick(); }, QStringLiteral("BitBtn3"));
    m_list->addButton(QStringLiteral("权限"), [this] { grantsClick(); }, QStringLiteral("BitBtn4"));
    m_list->addButton(QStringLiteral("关闭"), [this] { m_list->closeWindow(); },
                      QStringLiteral("BitBtn5"));

    ListGrid *g = m_list->grid();
    g->setColumns({{QStringLiteral("yhmc"), QStringLiteral("用户名称"), 150},
                   {QStringLiteral("yhmm"), QStringLiteral("用户密码"), 108}});
    connect(g, &ListGrid::rowChosen, this, &TFyhsz1::editClick);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    resize(360, 360);

    m_list->query(m_dm.ADOC1(), operators::listStatement());
    // Whatever the dialogs below change shows at once.
    m_list->showsTables(m_dm.ADOC1(), {QStringLiteral("yhsz")});
    g->setFocus();
}

ListGrid *TFyhsz1::grid() const
{
    return m_list->grid();
}

QString TFyhsz1::currentName() const
{
    if (grid()->currentRow() < 0)
        grid()->setCurrentRow(0);
    return grid()->currentValue(QStringLiteral("yhmc")).toString();
}

void TFyhsz1::addClick()
{
    ModalDialog<TFtjyh1> dialog(new TFtjyh1(m_dm, this));
    dialog->startAdd();
    dialog.exec();
}

void TFyhsz1::editClick()
{
    if (grid()->rowCount() == 0) {
        msg::warning(this, QStringLiteral("没有操作员可修改！"));
        return;
    }
    ModalDialog<TFtjyh1> dialog(new TFtjyh1(m_dm, this));
    dialog->startEdit(currentName());
    dialog.exec();
}

void TFyhsz1::deleteClick()
{
    if (grid()->rowCount() == 0) {
        msg::warning(this, QStringLiteral("没有操作员可删除！"));
        return;
    }
    const QString name = currentName();
    if (operators::isAdministrator(name)) {
        msg::warning(this, QStringLiteral("不可删除系统管理员！"));
        return;
    }
    if (!msg::confirmOkCancel(this, QStringLiteral("确实要删除此操作员吗？")))
        return;
    showOutcome(this, operators::remove(m_dm.ADOC1(), name));
}

void TFyhsz1::grantsClick()
{
    ModalDialog<TFquanxian1> dialog(new TFquanxian1(m_dm, this));
    dialog.exec();
}

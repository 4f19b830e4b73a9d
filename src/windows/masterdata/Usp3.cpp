#include "windows/masterdata/Usp3.h"

#include <QLineEdit>
#include <QVBoxLayout>

TFsp3::TFsp3(const WindowContext &context, GoodsFieldsTarget &target, QWidget *parent)
    : QDialog(parent), m_target(target)
{
    setModal(true);
    setObjectName(QStringLiteral("TFsp3"));
    m_picker = new GoodsPicker(context, GoodsPickerColumns::withoutPrices(), this);
    m_picker->setChoiceHandler([this](const goods::Article &a) {
        m_target.fillGoodsFields(xzbj, a);
        accept();
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picker);
    resize(820, 460);
}

void TFsp3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The opener sets its flag before it opens the picker; setting it here
    // too keeps the two in step whoever opens it.
    m_target.setSao(QStringLiteral("xuan"));
    m_picker->startList();
    m_picker->Edit1->setFocus();
}

void TFsp3::done(int result)
{
    m_target.setSao(QStringLiteral("sao"));
    QDialog::done(result);
}

#include "windows/masterdata/Uszxm1.h"

#include "windows/masterdata/Utjszxm1.h"

TFszxm1::TFszxm1(const WindowContext &context, QWidget *parent)
    : NameListWindow(context, NameListWords::incomeExpenseItems(), parent)
{
    setObjectName(QStringLiteral("TFszxm1"));
}

NameEditDialog *TFszxm1::makeEditor()
{
    return new TFtjszxm1(m_context, this);
}

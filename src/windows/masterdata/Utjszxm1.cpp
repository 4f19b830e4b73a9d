#include "windows/masterdata/Utjszxm1.h"

TFtjszxm1::TFtjszxm1(const WindowContext &context, QWidget *parent)
    : NameEditDialog(context, NameListWords::incomeExpenseItems(), parent)
{
    setObjectName(QStringLiteral("TFtjszxm1"));
}

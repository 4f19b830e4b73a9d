#include "report/forms/Udyszd1.h"

TFdyszd1::TFdyszd1()
    : MoneyVoucherForm({QStringLiteral("TFdyszd1"), QStringLiteral("收支项目"),
                        QStringLiteral("收支类别"), QStringLiteral("收支金额")})
{
}

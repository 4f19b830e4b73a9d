#include "report/forms/Udyfkd1.h"

TFdyfkd1::TFdyfkd1()
    : MoneyVoucherForm({QStringLiteral("TFdyfkd1"), QStringLiteral("厂商名称"),
                        QStringLiteral("帐单编号"), QStringLiteral("付款金额")})
{
}

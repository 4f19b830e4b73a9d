#include "report/forms/Udyrkd1.h"

TFdyrkd1::TFdyrkd1()
    : GoodsVoucherForm({QStringLiteral("TFdyrkd1"), title(), QStringLiteral("异动:"),
                        QStringLiteral("(出)")})
{
}

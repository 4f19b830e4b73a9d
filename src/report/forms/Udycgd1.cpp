#include "report/forms/Udycgd1.h"

TFdycgd1::TFdycgd1()
    : GoodsVoucherForm({QStringLiteral("TFdycgd1"), title(), QStringLiteral("厂商:"),
                        QStringLiteral("(退)")})
{
}

#include "report/forms/Udyxstj3.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdyxstj3"),
            false,
            {{QStringLiteral("员工"), QStringLiteral("yuangong"), 25, Qt::AlignLeft},
             {QStringLiteral("销售提成额"), QStringLiteral("sltc"), 25, Qt::AlignRight},
             {QStringLiteral("金额提成额"), QStringLiteral("jetc"), 25, Qt::AlignRight},
             {QStringLiteral("总提成额"), QStringLiteral("ztc"), 25, Qt::AlignRight}},
            {1, 2, 3}};
}

}  // namespace

TFdyxstj3::TFdyxstj3() : report::ListForm(layout()) {}

#include "report/forms/Udyszfx1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdyszfx1"),
            false,
            {{QStringLiteral("日期"), QStringLiteral("rq"), 14, Qt::AlignHCenter},
             {QStringLiteral("类别"), QStringLiteral("lb"), 9, Qt::AlignHCenter},
             {QStringLiteral("项目"), QStringLiteral("xm"), 27, Qt::AlignLeft},
             {QStringLiteral("收入额"), QStringLiteral("se"), 15, Qt::AlignRight},
             {QStringLiteral("支出额"), QStringLiteral("ze"), 15, Qt::AlignRight},
             {QStringLiteral("经办人"), QStringLiteral("jsr"), 14, Qt::AlignLeft}},
            {3, 4}};
}

}  // namespace

TFdyszfx1::TFdyszfx1() : report::ListForm(layout()) {}

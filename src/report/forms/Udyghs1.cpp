#include "report/forms/Udyghs1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdyghs1"),
            false,
            {{QStringLiteral("名称"), QStringLiteral("mc"), 30, Qt::AlignLeft},
             {QStringLiteral("联系人"), QStringLiteral("lxr"), 12, Qt::AlignHCenter},
             {QStringLiteral("电话"), QStringLiteral("lxdh"), 18, Qt::AlignLeft},
             {QStringLiteral("地址"), QStringLiteral("lxdz"), 40, Qt::AlignLeft}},
            {}};
}

}  // namespace

TFdyghs1::TFdyghs1() : report::ListForm(layout()) {}

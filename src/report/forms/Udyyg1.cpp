#include "report/forms/Udyyg1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdyyg1"),
            false,
            {{QStringLiteral("姓名"), QStringLiteral("xm"), 16, Qt::AlignLeft},
             {QStringLiteral("性别"), QStringLiteral("xb"), 8, Qt::AlignHCenter},
             {QStringLiteral("电话"), QStringLiteral("dh"), 20, Qt::AlignLeft},
             {QStringLiteral("住址"), QStringLiteral("dz"), 56, Qt::AlignLeft}},
            {}};
}

}  // namespace

TFdyyg1::TFdyyg1() : report::ListForm(layout()) {}

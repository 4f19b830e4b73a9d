#pragma once

#include "report/Report.h"

#include <QFont>
#include <QString>

// The printed forms are set in 宋体 (SimSun) and 黑体 (SimHei). Those faces
// are found when installed; otherwise the closest installed Chinese face of
// the same kind (serif for 宋体, sans for 黑体), as fontconfig lists them.
namespace report {

QString familyFor(Face face);

// The font of an item, in points (its pixel size is decided by the device).
QFont fontFor(const Font &font);

}  // namespace report

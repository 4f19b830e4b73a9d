#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own pictures, drawn rather than shipped.
namespace artwork {

// A rounded tile in `color` with `glyph` (one character) in white.
QIcon tileIcon(const QString &glyph, const QColor &color);
// The program's own icon, on every window and dialog: a spanner on a blue
// tile. One instance, so that windows showing it share it.
const QIcon &programIcon();
// The splash and about picture: shelves of tools in flat colours.
QPixmap shopPicture(const QSize &size);

}  // namespace artwork

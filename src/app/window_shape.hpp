// The main window's shape and its drag band.
#pragma once

#include <QPoint>
#include <QRegion>

namespace plimo {

// The 352 x 208 window with three pixels cut away at each corner.
QRegion WindowShape();

// A left click here moves the window, as a caption bar would.
bool InDragBand(QPoint clientPosition);

}  // namespace plimo

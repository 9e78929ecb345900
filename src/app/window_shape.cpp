#include "app/window_shape.hpp"

#include <QRect>

#include "app/dialog_layout.hpp"

namespace plimo {

QRegion WindowShape() {
  // Each small rectangle lies inside the window and they do not overlap, so each exclusive-or
  // takes it out: the magenta pixels of the skin.
  const QRect cuts[] = {QRect(0, 0, 2, 1),     QRect(0, 1, 1, 1),    QRect(0, 206, 1, 2),
                        QRect(1, 207, 1, 1),   QRect(350, 0, 2, 1),  QRect(351, 1, 1, 1),
                        QRect(350, 207, 2, 1), QRect(351, 206, 1, 1)};
  QRegion shape(QRect(QPoint(0, 0), skin::kWindowSize));
  for (const QRect& cut : cuts) shape = shape.xored(QRegion(cut));
  return shape;
}

bool InDragBand(QPoint clientPosition) {
  return clientPosition.y() < skin::kDragBandHeight;
}

}  // namespace plimo

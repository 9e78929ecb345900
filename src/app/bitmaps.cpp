#include "app/bitmaps.hpp"

#include <QString>

// The resources live in a static library: naming their initialiser keeps the linker from
// leaving them out.
static void InitialiseArtwork() {
  Q_INIT_RESOURCE(artwork);
}

namespace plimo::bitmap {

QPixmap Load(int id) {
  static const bool initialised = (InitialiseArtwork(), true);
  (void)initialised;
  return QPixmap(QStringLiteral(":/bitmap/%1").arg(id));
}

QIcon ProgramIcon() {
  return QIcon(Load(kIcon));
}

}  // namespace plimo::bitmap

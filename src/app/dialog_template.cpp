#include "app/dialog_template.hpp"

#include <QLabel>
#include <algorithm>

namespace plimo {

QFont DialogFont() {
  return QFont(QStringLiteral("NanumGothic"), 9);
}

void AddTemplateLabels(QWidget& dialog, std::span<const TemplateLabel> labels) {
  for (const TemplateLabel& label : labels) {
    auto* widget = new QLabel(QString::fromUtf8(label.utf8Text), &dialog);
    const QRect place = DialogUnitsToPixels(label.place);
    widget->move(place.topLeft());
    widget->resize(std::max(place.width(), widget->sizeHint().width()), place.height());
  }
}

}  // namespace plimo

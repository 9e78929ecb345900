// What the dialog templates share: their font and their static labels.
#pragma once

#include <QFont>
#include <QWidget>
#include <span>

#include "app/dialog_layout.hpp"

namespace plimo {

// The templates' 9-point dialog font, in a Korean face that Linux has.
QFont DialogFont();

struct TemplateLabel {
  TemplateRect place;
  const char* utf8Text;
};

// Each label starts at its template place; it may run longer than the template's box, whose
// width was measured for another font.
void AddTemplateLabels(QWidget& dialog, std::span<const TemplateLabel> labels);

}  // namespace plimo

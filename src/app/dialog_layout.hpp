// Where things sit on the main window: the dialog template's places in dialog units, turned into
// pixels, and the parts of the skin that the controls rely on. Shared with the artwork program.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace plimo {

// A place in the dialog template, in dialog units.
struct TemplateRect {
  int x;
  int y;
  int width;
  int height;
};

// Pixels per four horizontal and per eight vertical dialog units for the template's 9-point font.
// With these the template's 203 x 121 units come out at the skin's size, and the two input fields
// land inside the white frames of the skin.
inline constexpr int kBaseUnitX = 7;
inline constexpr int kBaseUnitY = 14;

// Multiplies and divides rounding to the nearest pixel, halves away from zero, as the template
// conversion of the original platform does.
constexpr int ScaleRounded(int value, int numerator, int denominator) {
  const int product = value * numerator;
  return product >= 0 ? (2 * product + denominator) / (2 * denominator)
                      : -((-2 * product + denominator) / (2 * denominator));
}

// The corners are converted, not the size, so neighbouring controls keep their shared edges.
inline QRect DialogUnitsToPixels(TemplateRect units) {
  const int left = ScaleRounded(units.x, kBaseUnitX, 4);
  const int top = ScaleRounded(units.y, kBaseUnitY, 8);
  const int right = ScaleRounded(units.x + units.width, kBaseUnitX, 4);
  const int bottom = ScaleRounded(units.y + units.height, kBaseUnitY, 8);
  return QRect(left, top, right - left, bottom - top);
}

// Dialog template 102, the main window.
namespace main_dialog {
inline constexpr TemplateRect kBlogIdEdit{48, 37, 30, 12};     // 1001
inline constexpr TemplateRect kPasswordEdit{145, 37, 45, 12};  // 1009
inline constexpr TemplateRect kBackupButton{92, 89, 35, 9};    // 1000
inline constexpr TemplateRect kDevBlogButton{136, 89, 45, 9};  // 1003
inline constexpr TemplateRect kFileProgress{11, 79, 141, 6};   // 1004
inline constexpr TemplateRect kFilePercent{153, 77, 21, 8};    // 1005
inline constexpr TemplateRect kStatusLine{11, 58, 160, 12};    // 1002
inline constexpr TemplateRect kMinimizeButton{179, 4, 11, 7};  // 1008
inline constexpr TemplateRect kCloseButton{188, 4, 9, 7};      // 1
inline constexpr TemplateRect kTotalProgress{11, 71, 141, 6};  // 1006
inline constexpr TemplateRect kTotalPercent{153, 69, 21, 8};   // 1007
inline constexpr TemplateRect kOverseasCheck{19, 92, 58, 10};  // 1010

// The edits are narrowed to fit the field frames painted in the skin.
inline constexpr QSize kBlogIdEditSize{71, 15};
inline constexpr QSize kPasswordEditSize{71, 13};
}  // namespace main_dialog

// The skin's layout.
namespace skin {
inline constexpr QSize kWindowSize{352, 208};
inline constexpr int kTitleBandHeight = 28;
// Clicks above this row drag the window.
inline constexpr int kDragBandHeight = 29;
inline constexpr QRect kBlogIdFrame{80, 62, 76, 18};
inline constexpr QRect kPasswordFrame{251, 62, 76, 18};
}  // namespace skin

// The strips of the hover buttons: three pictures side by side.
namespace strip {
inline constexpr QSize kBackupPicture{70, 26};
inline constexpr QSize kDevBlogPicture{91, 26};
inline constexpr QSize kTitleButtonPicture{15, 15};
}  // namespace strip

}  // namespace plimo

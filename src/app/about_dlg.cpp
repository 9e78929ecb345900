#include "app/about_dlg.hpp"

#include <QKeyEvent>

#include "app/dialog_layout.hpp"
#include "app/dialog_template.hpp"
#include "app/message_boxes.hpp"

namespace plimo {
namespace {

// Dialog template 100.
constexpr TemplateRect kClientArea{0, 0, 235, 114};

constexpr TemplateLabel kLabels[] = {
    {{25, 15, 119, 8}, "축하합니다!!!!!"},
    {{25, 30, 188, 8}, "당신은  이 프로그램의 정보를 보는 몇 안되는 사람입니다!!"},
};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(ApplicationTitle());
  setFont(DialogFont());
  setFixedSize(DialogUnitsToPixels(kClientArea).size());
  AddTemplateLabels(*this, kLabels);
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace plimo

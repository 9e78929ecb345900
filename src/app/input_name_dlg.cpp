#include "app/input_name_dlg.hpp"

#include <QPushButton>

#include "app/dialog_layout.hpp"
#include "app/dialog_template.hpp"
#include "app/qt_text.hpp"

namespace plimo {
namespace {

// Dialog template 103.
constexpr TemplateRect kClientArea{0, 0, 199, 115};
constexpr TemplateRect kNameEdit{41, 57, 126, 14};
constexpr TemplateRect kOkButton{47, 82, 50, 14};
constexpr TemplateRect kCancelButton{101, 82, 50, 14};

constexpr TemplateLabel kLabels[] = {
    {{17, 59, 22, 8}, "이름 : "},
    {{17, 14, 161, 8}, "국외 거주자를 선택하셨습니다. 국외 거주자의 경우 "},
    {{17, 25, 132, 8}, "Plimo의 정책상 [이름]정보가 필요합니다."},
    {{17, 36, 164, 8}, "아래에 이름을 입력하신 후 [확인]버튼을 클릭하세요."},
};

}  // namespace

CInputNameDlg::CInputNameDlg(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_editName(new QLineEdit(this)) {
  setWindowTitle(QString::fromUtf8("이름 입력"));
  setFont(DialogFont());
  setFixedSize(DialogUnitsToPixels(kClientArea).size());

  // Created in the template's order, which is the tab order: the field has the focus at once.
  m_editName->setGeometry(DialogUnitsToPixels(kNameEdit));
  AddTemplateLabels(*this, kLabels);
  auto* ok = new QPushButton(QString::fromUtf8("확인"), this);
  ok->setGeometry(DialogUnitsToPixels(kOkButton));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8("취소"), this);
  cancel->setGeometry(DialogUnitsToPixels(kCancelButton));

  connect(ok, &QPushButton::clicked, this, &CInputNameDlg::OnOK);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  m_editName->setFocus();
}

void CInputNameDlg::OnOK() {
  m_strName = ToText(m_editName->text());
  accept();
}

}  // namespace plimo

// The dialog that asks an overseas resident for the name that the service's login then needs.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include "net/text.hpp"

namespace plimo {

class CInputNameDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CInputNameDlg(QWidget* parent = nullptr);

  // After an accepted dialog: the field as typed, neither trimmed nor checked; it may be empty.
  Text m_strName;

 private:
  void OnOK();

  QLineEdit* m_editName;
};

}  // namespace plimo

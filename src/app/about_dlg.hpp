// The about box, opened from the window's title-band menu.
#pragma once

#include <QDialog>

namespace plimo {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

 protected:
  // Having no button, the box still closes with Return as well as with Escape and its close box.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace plimo

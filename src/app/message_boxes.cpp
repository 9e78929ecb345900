#include "app/message_boxes.hpp"

#include <QMessageBox>

namespace plimo {

QString ApplicationTitle() {
  return QString::fromUtf8("Plimo 블로그 백업 프로그램");
}

void ShowWarningBox(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(), text, QMessageBox::Ok, owner);
  box.exec();
}

bool AskQuestionBox(QWidget* owner, const QString& question) {
  QMessageBox box(QMessageBox::Question, ApplicationTitle(), question, QMessageBox::Yes | QMessageBox::No,
                  owner);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace plimo

#include "app/path_dialog.hpp"

#include <QFileDialog>

namespace plimo {

CPathDialog::BrowseResult CPathDialog::BrowseForFolder(const QString& title, const QString& initialFolder,
                                                       QWidget* owner) {
  const QString folder =
      QFileDialog::getExistingDirectory(owner, title, initialFolder, QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return BrowseResult::NotChosen;
  path_ = folder.toStdString();
  return BrowseResult::Chosen;
}

}  // namespace plimo

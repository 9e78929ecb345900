// The folder chooser of the Backup command.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

namespace plimo {

class CPathDialog {
 public:
  enum class BrowseResult { Chosen = 1, NotChosen = 2 };

  // Shows the desktop's folder chooser (folders only) starting in initialFolder.
  BrowseResult BrowseForFolder(const QString& title, const QString& initialFolder, QWidget* owner);

  // The chosen folder as a path of this system, in UTF-8.
  std::string GetPath() const { return path_; }

 private:
  std::string path_;
};

}  // namespace plimo

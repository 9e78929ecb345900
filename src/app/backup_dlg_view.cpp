// The window's side of JobView: what a run reports, carried out on the window's thread.
#include <QDir>
#include <algorithm>

#include "app/backup_dlg.hpp"
#include "app/input_name_dlg.hpp"
#include "app/message_boxes.hpp"
#include "app/path_dialog.hpp"
#include "app/qt_text.hpp"

namespace plimo {
namespace {

// The bar stops at its ends; the label shows the number as it came.
void ShowPercent(QProgressBar& bar, QLabel& label, int percent) {
  bar.setValue(std::clamp(percent, bar.minimum(), bar.maximum()));
  label.setText(QStringLiteral("%1%").arg(percent));
}

}  // namespace

void CBackupDlg::SetStatusText(const Text& text) {
  bridge_.Post([this, text = ToQString(text)] {
    m_pStatusEdit->setText(text);
    // The line starts at its beginning, as a fresh text in an edit field does.
    m_pStatusEdit->setCursorPosition(0);
  });
}

void CBackupDlg::SetOverallPercent(int percent) {
  bridge_.Post([this, percent] { ShowPercent(*m_ctlTotalProgress, *m_pTotalPercent, percent); });
}

void CBackupDlg::SetFilePercent(int percent) {
  bridge_.Post([this, percent] { ShowPercent(*m_ctlFileProgress, *m_pFilePercent, percent); });
}

void CBackupDlg::ShowFileProgress(bool visible) {
  bridge_.Post([this, visible] {
    m_ctlFileProgress->setVisible(visible);
    m_pFilePercent->setVisible(visible);
  });
}

void CBackupDlg::SetCaptionText(const Text& text) {
  bridge_.Post([this, text = ToQString(text)] { setWindowTitle(text); });
}

void CBackupDlg::EnableBackupButton(bool enable) {
  bridge_.Post([this, enable] { m_btnStartBackup->setEnabled(enable); });
}

void CBackupDlg::ShowMessage(const Text& text) {
  bridge_.Call(
      [this, text = ToQString(text)] {
        ShowWarningBox(this, text);
        return true;
      },
      true);
}

bool CBackupDlg::AskYesNo(const Text& question) {
  return bridge_.Call([this, question = ToQString(question)] { return AskQuestionBox(this, question); },
                      false);
}

bool CBackupDlg::AskRetry(const Text& message) {
  return bridge_.Call(
      [this, message = ToQString(message)] {
        ShowWarningBox(this, message);
        return true;
      },
      false);
}

void CBackupDlg::RequestClose() {
  bridge_.Post([this] { closeAfterStopTimer_->start(); });
}

std::optional<Text> CBackupDlg::AskName() {
  CInputNameDlg dialog(this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.m_strName;
}

std::optional<std::string> CBackupDlg::AskFolder() {
  CPathDialog chooser;
  if (chooser.BrowseForFolder(QString::fromUtf8("다운로드 받으실 디렉토리를 선택해 주세요."),
                              QDir::homePath(), this) != CPathDialog::BrowseResult::Chosen)
    return std::nullopt;
  return chooser.GetPath();
}

}  // namespace plimo

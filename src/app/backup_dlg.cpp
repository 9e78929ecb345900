#include "app/backup_dlg.hpp"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/about_dlg.hpp"
#include "app/bitmaps.hpp"
#include "app/dialog_layout.hpp"
#include "app/dialog_template.hpp"
#include "app/message_boxes.hpp"
#include "app/qt_text.hpp"
#include "app/window_shape.hpp"
#include "job/start_backup.hpp"
#include "net/endpoints.hpp"
#include "platform/codepage.hpp"

namespace plimo {
namespace {

constexpr std::chrono::milliseconds kFocusDelay{100};
constexpr std::chrono::milliseconds kCloseAfterStopDelay{100};

// Labels, the check box and the status line are drawn on the skin, which is light whatever the
// desktop's colours are.
void UseBlackText(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::black);
  widget.setPalette(palette);
}

// An edit field that shows the skin through its background.
void MakeTransparent(QLineEdit& edit) {
  UseBlackText(edit);
  QPalette palette = edit.palette();
  palette.setColor(QPalette::Base, Qt::transparent);
  edit.setPalette(palette);
}

QLineEdit* CreateFieldEdit(QWidget* parent, TemplateRect place, QSize size) {
  auto* edit = new QLineEdit(parent);
  edit->setFrame(false);
  edit->setGeometry(QRect(DialogUnitsToPixels(place).topLeft(), size));
  return edit;
}

QProgressBar* CreateProgressBar(QWidget* parent, TemplateRect place, int position) {
  auto* bar = new QProgressBar(parent);
  bar->setGeometry(DialogUnitsToPixels(place));
  bar->setRange(0, 100);
  bar->setValue(position);
  bar->setTextVisible(false);
  // The bars turn grey with the skin when the window is not active.
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0x3a, 0xa8, 0x4a));
  palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xa4, 0xa7, 0xa4));
  bar->setPalette(palette);
  return bar;
}

QLabel* CreatePercentLabel(QWidget* parent, TemplateRect place, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(DialogUnitsToPixels(place));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  UseBlackText(*label);
  return label;
}

CHoverButton* CreateHoverButton(QWidget* parent, TemplateRect place) {
  auto* button = new CHoverButton(parent);
  button->move(DialogUnitsToPixels(place).topLeft());
  return button;
}

QTimer* CreateSingleShotTimer(QObject* parent, const char* name, std::chrono::milliseconds interval) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(QString::fromLatin1(name));
  timer->setSingleShot(true);
  timer->setInterval(interval);
  return timer;
}

}  // namespace

CBackupDlg::CBackupDlg(BackupDlgOptions options)
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint), options_(std::move(options)) {
  setFont(DialogFont());
  CreateControls();
  setWindowIcon(bitmap::ProgramIcon());
  SetUpHoverButtons();
  LoadSkins();
  setFixedSize(skin::kWindowSize);
  setMask(WindowShape());
  setWindowTitle(QString::fromUtf8("Plimo 블로그 백업 프로그램 v0.26 By Quelm"));
  StartTimers();
  StartUpdateCheck();
}

CBackupDlg::~CBackupDlg() {
  // The window's calls are no longer carried, so no thread waits on a box that will never show;
  // a run still going stops at its next check.
  bridge_.Close();
  m_job.m_bStopRequested = 1;
  if (m_worker.joinable()) m_worker.join();
  if (updateCheck_.joinable()) updateCheck_.join();
}

bool CBackupDlg::UpdateCheckRunning() const {
  return updateCheck_.joinable() && !updateCheckDone_;
}

void CBackupDlg::CreateControls() {
  // Created in the template's order, which is also the tab order.
  using namespace main_dialog;
  m_editBlogId = CreateFieldEdit(this, kBlogIdEdit, kBlogIdEditSize);
  m_editBlogId->setObjectName("blogIdEdit");
  m_editPassword = CreateFieldEdit(this, kPasswordEdit, kPasswordEditSize);
  m_editPassword->setObjectName("passwordEdit");
  m_editPassword->setEchoMode(QLineEdit::Password);

  m_btnStartBackup = CreateHoverButton(this, kBackupButton);
  m_btnStartBackup->setObjectName("backupButton");
  m_btnDevBlog = CreateHoverButton(this, kDevBlogButton);
  m_btnDevBlog->setObjectName("devBlogButton");

  m_ctlFileProgress = CreateProgressBar(this, kFileProgress, 100);
  m_ctlFileProgress->setObjectName("fileProgress");
  m_ctlFileProgress->hide();
  m_pFilePercent = CreatePercentLabel(this, kFilePercent, QStringLiteral("100%"));
  m_pFilePercent->setObjectName("filePercent");
  m_pFilePercent->hide();

  m_pStatusEdit = new QLineEdit(ToQString(m_job.m_strStatus), this);
  m_pStatusEdit->setObjectName("statusLine");
  m_pStatusEdit->setGeometry(DialogUnitsToPixels(kStatusLine));
  m_pStatusEdit->setFrame(false);
  m_pStatusEdit->setReadOnly(true);
  m_pStatusEdit->setCursorPosition(0);
  MakeTransparent(*m_pStatusEdit);

  m_btnMinimize = CreateHoverButton(this, kMinimizeButton);
  m_btnMinimize->setObjectName("minimizeButton");
  m_btnClose = CreateHoverButton(this, kCloseButton);
  m_btnClose->setObjectName("closeButton");

  m_ctlTotalProgress = CreateProgressBar(this, kTotalProgress, 0);
  m_ctlTotalProgress->setObjectName("totalProgress");
  m_pTotalPercent = CreatePercentLabel(this, kTotalPercent, QStringLiteral("0%"));
  m_pTotalPercent->setObjectName("totalPercent");

  m_checkOverseas = new QCheckBox(QString::fromUtf8("국외 거주자"), this);
  m_checkOverseas->setObjectName("overseasCheck");
  m_checkOverseas->setGeometry(DialogUnitsToPixels(kOverseasCheck));
  UseBlackText(*m_checkOverseas);

  connect(m_btnStartBackup, &QAbstractButton::clicked, this, &CBackupDlg::OnStartBackup);
  connect(m_btnDevBlog, &QAbstractButton::clicked, this, &CBackupDlg::OnDevBlog);
  connect(m_btnMinimize, &QAbstractButton::clicked, this, &QWidget::showMinimized);
  connect(m_btnClose, &QAbstractButton::clicked, this, &CBackupDlg::CloseOrStop);
}

void CBackupDlg::SetUpHoverButtons() {
  hoverButtons_ = {{{m_btnStartBackup, bitmap::kBackupActive, bitmap::kBackupInactive},
                    {m_btnDevBlog, bitmap::kDevBlogActive, bitmap::kDevBlogInactive},
                    {m_btnMinimize, bitmap::kMinimizeActive, bitmap::kMinimizeInactive},
                    {m_btnClose, bitmap::kCloseActive, bitmap::kCloseInactive}}};
  LoadButtonStrips(Activation::Active);
  const auto active = CHoverButton::ToolTipState::Active;
  m_btnStartBackup->SetToolTipText(QString::fromUtf8("블로그 백업을 시작합니다."), active);
  m_btnDevBlog->SetToolTipText(QString::fromUtf8("개발자블로그로 이동합니다."), active);
  m_btnMinimize->SetToolTipText(QString::fromUtf8("창을 최소화합니다."), active);
  m_btnClose->SetToolTipText(QString::fromUtf8("프로그램을 종료합니다."), active);
}

void CBackupDlg::LoadSkins() {
  // A missing skin is said once; the window then shows its plain background whenever that skin is due.
  m_hBmpActive = bitmap::Load(bitmap::kSkinActive);
  if (m_hBmpActive.isNull()) ShowWarningBox(this, QString::fromUtf8("이미지파일을 로드할 수 없습니다."));
  m_hBmpInactive = bitmap::Load(bitmap::kSkinInactive);
  if (m_hBmpInactive.isNull()) ShowWarningBox(this, QString::fromUtf8("이미지파일을 로드할 수 없습니다."));
}

void CBackupDlg::LoadButtonStrips(Activation activation) {
  for (const HoverButtonStrips& entry : hoverButtons_)
    entry.button->LoadStrip(activation == Activation::Active ? entry.activeStrip : entry.inactiveStrip);
}

void CBackupDlg::StartTimers() {
  focusTimer_ = CreateSingleShotTimer(this, "focusTimer", kFocusDelay);
  connect(focusTimer_, &QTimer::timeout, this, [this] { m_editBlogId->setFocus(); });
  closeAfterStopTimer_ = CreateSingleShotTimer(this, "closeAfterStopTimer", kCloseAfterStopDelay);
  connect(closeAfterStopTimer_, &QTimer::timeout, this, &CBackupDlg::CloseOrStop);
  endProcessTimer_ = CreateSingleShotTimer(this, "endProcessTimer", options_.stopBound);
  connect(endProcessTimer_, &QTimer::timeout, this, [this] { options_.endProcess(); });
  focusTimer_->start();
}

void CBackupDlg::StartUpdateCheck() {
  updateCheck_ = std::thread([this] {
    if (const std::optional<Text> link = options_.checkForUpdate(m_job.m_inet)) {
      if (AskYesNo(Cp949("이 프로그램의 새 버전이 검색되었습니다. 지금 확인하시겠습니까?")))
        options_.openInBrowser(Cp949ToUtf8Lossy(*link));
    }
    updateCheckDone_ = true;
  });
}

void CBackupDlg::CloseOrStop() {
  if (m_job.m_bRunning == 1) {
    // The run stops after the page it is writing; if it cannot get there in time, the timer ends
    // the process, even while the run is blocked in a fetch.
    m_job.m_bStopRequested = 1;
    hide();
    endProcessTimer_->start();
    return;
  }
  UpdateData();
  accept();
}

void CBackupDlg::UpdateData() {
  m_job.m_strBlogId = ToText(m_editBlogId->text());
  m_job.m_strStatus = ToText(m_pStatusEdit->text());
  m_job.m_strPassword = ToText(m_editPassword->text());
  m_job.m_nOverseas = m_checkOverseas->isChecked() ? 1 : 0;
}

void CBackupDlg::OnStartBackup() {
  UpdateData();
  plimo::OnStartBackup(m_job, *this, m_worker);
}

void CBackupDlg::OnDevBlog() {
  options_.openInBrowser(DEV_BLOG_URL);
}

void CBackupDlg::ShowAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CBackupDlg::reject() {
  CloseOrStop();
}

void CBackupDlg::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  LoadButtonStrips(isActiveWindow() ? Activation::Active : Activation::Inactive);
  update();
}

void CBackupDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  CloseOrStop();
}

void CBackupDlg::contextMenuEvent(QContextMenuEvent* event) {
  // The title band's menu stands in for the system menu of a window with a caption bar.
  if (!InDragBand(event->pos())) {
    QDialog::contextMenuEvent(event);
    return;
  }
  QMenu menu(this);
  menu.addAction(QString::fromUtf8("PlimoBackup 정보(&A)..."), this, &CBackupDlg::ShowAbout);
  menu.exec(event->globalPos());
}

void CBackupDlg::keyPressEvent(QKeyEvent* event) {
  // Return neither closes the window nor presses a button.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CBackupDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && InDragBand(event->position().toPoint())) {
    // The window manager moves the window when it can; otherwise the window follows the pointer.
    if (!windowHandle() || !windowHandle()->startSystemMove())
      dragOffset_ = event->globalPosition().toPoint() - pos();
  }
  QDialog::mousePressEvent(event);
}

void CBackupDlg::mouseMoveEvent(QMouseEvent* event) {
  if (dragOffset_ && (event->buttons() & Qt::LeftButton))
    move(event->globalPosition().toPoint() - *dragOffset_);
  QDialog::mouseMoveEvent(event);
}

void CBackupDlg::mouseReleaseEvent(QMouseEvent* event) {
  dragOffset_.reset();
  QDialog::mouseReleaseEvent(event);
}

void CBackupDlg::paintEvent(QPaintEvent*) {
  // Chosen on every paint, so a box of ours in front also turns the skin grey.
  const QPixmap& skin = isActiveWindow() ? m_hBmpActive : m_hBmpInactive;
  if (skin.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, skin);
}

}  // namespace plimo

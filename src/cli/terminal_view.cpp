#include "cli/terminal_view.hpp"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <thread>

#include "platform/codepage.hpp"

namespace plimo::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kTriesWithoutTerminal = 3;

int TerminalColumns() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

// Korean syllables take two columns; the rest of what the service shows takes one.
std::string CutToColumns(const std::string& utf8, int columns) {
  int used = 0;
  size_t end = 0;
  while (end < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[end]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const int width = length >= 3 ? 2 : 1;
    if (used + width > columns) break;
    used += width;
    end += length;
  }
  return utf8.substr(0, end);
}

std::string Bar(int percent, int width) {
  const int filled = std::clamp(percent, 0, 100) * width / 100;
  std::string bar(static_cast<size_t>(width) + 2, '-');
  bar.front() = '[';
  bar.back() = ']';
  bar.replace(1, static_cast<size_t>(filled), static_cast<size_t>(filled), '#');
  return bar;
}

// "3페이지 백업중...(페이지 분석)" opens a page; that is the line worth keeping in a log.
bool OpensAPage(const std::string& status) {
  return status.find("페이지 백업중...(페이지 분석)") != std::string::npos;
}

bool WorthALine(const std::string& status) {
  return status.rfind("실패: ", 0) == 0 || status.rfind("백업완료", 0) == 0;
}

}  // namespace

TerminalView::TerminalView(Progress progress, OpenArchive openArchive, std::optional<Text> name, std::string folder)
    : progress_(progress), openArchive_(openArchive), name_(std::move(name)), folder_(std::move(folder)) {}

void TerminalView::SetStatusText(const Text& text) {
  std::lock_guard lock(mutex_);
  status_ = Cp949ToUtf8Lossy(text);
  if (progress_ == Progress::Lines) {
    if (OpensAPage(status_) && status_ != lastPrintedPage_) {
      lastPrintedPage_ = status_;
      PrintLineLocked(status_);
    } else if (WorthALine(status_)) {
      PrintLineLocked(status_);
    }
  }
  DrawLiveLineLocked(OpensAPage(status_));
}

void TerminalView::SetOverallPercent(int percent) {
  std::lock_guard lock(mutex_);
  overallPercent_ = percent;
  DrawLiveLineLocked(false);
}

void TerminalView::SetFilePercent(int percent) {
  std::lock_guard lock(mutex_);
  filePercent_ = percent;
  DrawLiveLineLocked(false);
}

void TerminalView::ShowFileProgress(bool visible) {
  std::lock_guard lock(mutex_);
  fileVisible_ = visible;
  DrawLiveLineLocked(false);
}

void TerminalView::SetCaptionText(const Text& text) {
  if (progress_ != Progress::Live) return;
  std::lock_guard lock(mutex_);
  std::cerr << "\033]0;" << Cp949ToUtf8Lossy(text) << "\007" << std::flush;
}

void TerminalView::EnableBackupButton(bool) {}

void TerminalView::ShowMessage(const Text& text) { PrintLine(Cp949ToUtf8Lossy(text)); }

bool TerminalView::AskYesNo(const Text& question) {
  if (openArchive_ != OpenArchive::Ask) {
    PrintLine(Cp949ToUtf8Lossy(question) + (openArchive_ == OpenArchive::Yes ? " 예" : " 아니요"));
    return openArchive_ == OpenArchive::Yes;
  }
  return AskOnTerminal(Cp949ToUtf8Lossy(question) + " [y/N] ", false);
}

bool TerminalView::AskRetry(const Text& message) {
  const std::string text = Cp949ToUtf8Lossy(message);
  if (::isatty(STDIN_FILENO)) return AskOnTerminal(text + " 다시 시도할까요? [Y/n] ", true);
  PrintLine(text);
  std::lock_guard lock(mutex_);
  if (++retriesWithoutTerminal_ >= kTriesWithoutTerminal) return false;
  std::this_thread::sleep_for(std::chrono::seconds(1));
  return true;
}

void TerminalView::RequestClose() {}

std::optional<Text> TerminalView::AskName() { return name_; }

std::optional<std::string> TerminalView::AskFolder() { return folder_; }

void TerminalView::PrintLine(const std::string& utf8) {
  std::lock_guard lock(mutex_);
  PrintLineLocked(utf8);
}

void TerminalView::Finish() {
  std::lock_guard lock(mutex_);
  ClearLiveLineLocked();
}

void TerminalView::PrintLineLocked(const std::string& utf8) {
  ClearLiveLineLocked();
  std::cerr << utf8 << '\n' << std::flush;
  DrawLiveLineLocked(true);
}

void TerminalView::ClearLiveLineLocked() {
  if (!liveLineShown_) return;
  std::cerr << "\r\033[K" << std::flush;
  liveLineShown_ = false;
}

void TerminalView::DrawLiveLineLocked(bool force) {
  if (progress_ != Progress::Live) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  std::string line = Bar(overallPercent_, 20) + " " + std::to_string(overallPercent_) + "%";
  if (fileVisible_) line += "  " + Bar(filePercent_, 10) + " " + std::to_string(filePercent_) + "%";
  line += "  " + status_;
  std::cerr << "\r" << CutToColumns(line, TerminalColumns() - 1) << "\033[K" << std::flush;
  liveLineShown_ = true;
}

bool TerminalView::AskOnTerminal(const std::string& question, bool defaultAnswer) {
  {
    std::lock_guard lock(mutex_);
    ClearLiveLineLocked();
    std::cerr << question << std::flush;
  }
  std::string answer;
  // Without a person at the keyboard nothing is agreed to.
  if (!::isatty(STDIN_FILENO) || !std::getline(std::cin, answer)) {
    std::cerr << "n\n";
    return false;
  }
  if (answer.empty()) return defaultAnswer;
  return answer[0] == 'y' || answer[0] == 'Y';
}

}  // namespace plimo::cli

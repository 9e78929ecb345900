#include "cli/password.hpp"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace plimo::cli {
namespace {

void DropLineEnd(std::string& line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
}

std::string PromptWithoutEcho() {
  const int terminal = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
  if (terminal < 0) return {};
  termios saved{};
  const bool canHideEcho = ::tcgetattr(terminal, &saved) == 0;
  if (canHideEcho) {
    termios hidden = saved;
    hidden.c_lflag &= static_cast<tcflag_t>(~ECHO);
    ::tcsetattr(terminal, TCSAFLUSH, &hidden);
  }
  const char prompt[] = "비밀번호: ";
  [[maybe_unused]] ssize_t written = ::write(terminal, prompt, sizeof prompt - 1);
  std::string line;
  char byte = 0;
  while (::read(terminal, &byte, 1) == 1 && byte != '\n') line += byte;
  if (canHideEcho) ::tcsetattr(terminal, TCSAFLUSH, &saved);
  written = ::write(terminal, "\n", 1);
  ::close(terminal);
  DropLineEnd(line);
  return line;
}

}  // namespace

std::string ReadPassword(PasswordSource source) {
  if (const char* fromEnvironment = std::getenv("PLIMO_PASSWORD")) return fromEnvironment;
  if (source == PasswordSource::StandardInput) {
    std::string line;
    std::getline(std::cin, line);
    DropLineEnd(line);
    return line;
  }
  return PromptWithoutEcho();
}

}  // namespace plimo::cli

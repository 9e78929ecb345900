#include "child_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

extern char** environ;

namespace plimo::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& extraEnvironment, const std::string& input) {
  int inputPipe[2];
  int errorPipe[2];
  if (::pipe2(inputPipe, O_CLOEXEC) != 0 || ::pipe2(errorPipe, O_CLOEXEC) != 0) std::abort();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, inputPipe[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

  std::vector<std::string> argumentStore{program};
  argumentStore.insert(argumentStore.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : argumentStore) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> environmentStore;
  for (char** variable = environ; *variable; ++variable) environmentStore.emplace_back(*variable);
  environmentStore.insert(environmentStore.end(), extraEnvironment.begin(), extraEnvironment.end());
  std::vector<char*> envp;
  for (std::string& variable : environmentStore) envp.push_back(variable.data());
  envp.push_back(nullptr);

  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  ::close(inputPipe[0]);
  ::close(errorPipe[1]);
  errorPipe_ = errorPipe[0];
  if (!input.empty()) [[maybe_unused]] ssize_t written = ::write(inputPipe[1], input.data(), input.size());
  ::close(inputPipe[1]);
}

ChildProcess::~ChildProcess() {
  if (status_ < 0 && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (errorPipe_ >= 0) ::close(errorPipe_);
}

bool ChildProcess::ReadSome(std::chrono::milliseconds timeout) {
  pollfd ready{errorPipe_, POLLIN, 0};
  if (::poll(&ready, 1, static_cast<int>(timeout.count())) <= 0) return false;
  char buffer[4096];
  const ssize_t count = ::read(errorPipe_, buffer, sizeof buffer);
  if (count <= 0) return false;
  error_.append(buffer, static_cast<size_t>(count));
  return true;
}

bool ChildProcess::WaitForError(const std::string& text, std::chrono::milliseconds timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  while (error_.find(text) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    if (!ReadSome(left)) {
      if (std::chrono::steady_clock::now() >= until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  return true;
}

void ChildProcess::Signal(int signal) { ::kill(pid_, signal); }

int ChildProcess::Wait(std::chrono::milliseconds timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < until) {
    while (ReadSome(std::chrono::milliseconds(0))) {
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      while (ReadSome(std::chrono::milliseconds(0))) {
      }
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return status_;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

}  // namespace plimo::test

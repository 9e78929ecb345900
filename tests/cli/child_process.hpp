// A program run as a child process, with its standard input fed and its standard error kept.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace plimo::test {

class ChildProcess {
 public:
  // Starts program with arguments and the environment of this process plus extraEnvironment
  // ("NAME=value"); standard input is a pipe fed with input and then closed.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& extraEnvironment, const std::string& input = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Reads standard error until it contains text or the time is up; true when it does.
  bool WaitForError(const std::string& text, std::chrono::milliseconds timeout);
  void Signal(int signal);
  // Waits for the exit and returns its status (128 + signal for a signal); -1 when time is up.
  int Wait(std::chrono::milliseconds timeout);

  const std::string& standardError() const { return error_; }

 private:
  bool ReadSome(std::chrono::milliseconds timeout);

  pid_t pid_ = -1;
  int errorPipe_ = -1;
  std::string error_;
  int status_ = -1;
};

}  // namespace plimo::test

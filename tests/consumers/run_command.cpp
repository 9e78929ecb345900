#include "run_command.hpp"

#include <sys/wait.h>

#include <cstdio>

namespace plimo::test {

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    result.output.append(buffer, read);
  const int status = ::pclose(pipe);
  if (status != -1 && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  return result;
}

std::string ShellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (char byte : word) quoted += byte == '\'' ? std::string("'\\''") : std::string(1, byte);
  return quoted + "'";
}

}  // namespace plimo::test

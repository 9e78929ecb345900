// Runs a shell command for a test and keeps what it printed.
#pragma once

#include <string>

namespace plimo::test {

struct CommandResult {
  int exitStatus = -1;  // -1 when the command did not end normally
  std::string output;   // standard output and standard error together
};

CommandResult RunCommand(const std::string& command);

// A word for the shell, whatever bytes it holds.
std::string ShellQuoted(const std::string& word);

}  // namespace plimo::test

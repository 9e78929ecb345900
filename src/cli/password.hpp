// Where the terminal front end gets the password from, so that it never stands in the arguments.
#pragma once

#include <string>

namespace plimo::cli {

enum class PasswordSource { EnvironmentOrPrompt, StandardInput };

// PLIMO_PASSWORD first; else the first line of standard input, or a prompt on the terminal
// without echo. Empty when none of them gives one.
std::string ReadPassword(PasswordSource source);

}  // namespace plimo::cli

// The one bridge between Qt's strings and the program's Text (code page 949 bytes).
#pragma once

#include <QString>

#include "net/text.hpp"

namespace plimo {

// Bytes that are not valid code page 949 show as the replacement character.
QString ToQString(const Text& text);

// A character that code page 949 cannot hold becomes '?', as the original platform's code-page
// edit fields gave it, so what the user typed is never dropped whole.
Text ToText(const QString& string);

}  // namespace plimo

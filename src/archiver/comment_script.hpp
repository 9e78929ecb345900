// The script that every archive page carries in front, so that the page's comment and relay links
// load the locally saved comment pages into their frames.
#pragma once

#include "net/text.hpp"

namespace plimo {

// Forty lines joined by CR LF, none after the last.
const Text& CommentScript();

}  // namespace plimo

// Media URLs of a page text replaced by their local links, in one pass over the text where that is
// sure to give what one replacement after another gives.
#pragma once

#include <vector>

#include "net/text.hpp"

namespace plimo {

// The text that Replace(text, urls[i], links[i]) for i = 0, 1, ... in turn leaves. A busy list
// page holds hundreds of URLs; one pass over it takes the place of one pass per URL whenever no
// URL can reach into another or into a link, which is the case for the URLs that the media scan
// collects and the links made of them. Anything else is replaced one URL after another.
void RelinkUrls(Text& text, const std::vector<Text>& urls, const std::vector<Text>& links);

}  // namespace plimo

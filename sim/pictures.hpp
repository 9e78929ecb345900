// Small real pictures for the media URLs: GIF and baseline JPEG files that browsers decode.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plimo::sim {

// A 16x16 four-colour GIF whose colours follow from the seed.
std::string MakeGif(uint64_t seed);

// A 16x16 greyscale baseline JPEG whose four blocks' shades follow from the seed.
std::string MakeJpeg(uint64_t seed);

// The picture served at a URL: a GIF for a name ending in ".gif", else a JPEG; the same URL always
// gives the same bytes.
std::string PictureFor(std::string_view url);

}  // namespace plimo::sim

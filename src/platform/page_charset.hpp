// The code-page declaration that every saved page with Korean text carries for the browser.
#pragma once

namespace plimo {

// The service declares its code page in the head of its pages, which the archive cuts away. A page
// without it leaves the browser to guess from the bytes, and a page of Hanja or of few Hangul is then
// shown as Western text. euc-kr is the service's own label; browsers read it as code page 949,
// extension characters included.
inline constexpr const char* kPageCharset =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-kr\">";

}  // namespace plimo

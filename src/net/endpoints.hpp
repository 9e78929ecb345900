// The service's host names and URL prefixes. Nothing resolves them in tests or the demo:
// http_proxy points every request at the local simulator.
#pragma once

namespace plimo {

inline constexpr const char* BLOG_HOST = "blog.plimo.kr";
inline constexpr const char* IMAGE_HOST = "img.plimo.kr";
inline constexpr const char* ITEM_IMAGE_HOST = "item.plimo.kr";
inline constexpr const char* LOGIN_HOST = "id.plimo.kr";
inline constexpr const char* BLOGFILES_PREFIX = "http://blogfiles";
inline constexpr const char* MFILES_PREFIX = "http://mfiles";
inline constexpr const char* FILE_DOMAIN = ".plimo.kr";
inline constexpr const char* UPDATE_HOST = "www.quelm.kr";
inline constexpr const char* DEV_BLOG_URL = "http://blog.plimo.kr/quelm";

inline constexpr const char* LAYOUT_IMAGE_PREFIX = "http://img.plimo.kr/imgs/";
inline constexpr const char* EMOTICON_PREFIX = "http://img.plimo.kr/imgs/emot/";
inline constexpr const char* AVICON_PREFIX = "http://item.plimo.kr/avicon/";

}  // namespace plimo

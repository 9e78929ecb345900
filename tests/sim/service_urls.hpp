// The URLs the program asks the service for, as the tests of the simulator need them.
#pragma once

#include <string>

#include "net/endpoints.hpp"

namespace plimo::test {

inline std::string BlogUrl(const std::string& pathAndQuery) {
  return std::string("http://") + BLOG_HOST + pathAndQuery;
}

inline std::string MainPageUrl(const std::string& id) {
  return BlogUrl("/PBlogMain.plm?blogId=" + id);
}

inline std::string ListPageUrl(const std::string& id, int page) {
  return BlogUrl("/PostList.plm?blogId=" + id + "&currentPage=" + std::to_string(page) +
                 "&categoryNo=0&viewdate=");
}

inline std::string HomePageUrl(const std::string& id) {
  return BlogUrl("/" + id + ".do");
}

// kind 1 is the comment list, 2 the relay list.
inline std::string ListOfPostUrl(int kind, const std::string& id, int listNumber, const std::string& logNo) {
  return BlogUrl(std::string(kind == 1 ? "/PostCommentMain.plm" : "/PostRelayList.plm") + "?blogId=" + id +
                 "&fno=" + std::to_string(listNumber) + "&logNo=" + logNo + "&skinId=&skinType=");
}

inline std::string LoginUrl(const std::string& query) {
  return std::string("http://") + LOGIN_HOST + "/pidlogin.login?" + query;
}

}  // namespace plimo::test

#include "sim/service.hpp"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "net/endpoints.hpp"
#include "platform/codepage.hpp"
#include "sim/blog_pages.hpp"
#include "sim/comment_lists.hpp"
#include "sim/page_writer.hpp"
#include "sim/pictures.hpp"
#include "sim/random.hpp"

namespace plimo::sim {
namespace {

constexpr const char* kHtml = "text/html; charset=euc-kr";

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& byte : lower) byte = static_cast<char>(std::tolower(static_cast<unsigned char>(byte)));
  return lower;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// "blogfiles3.plimo.kr", "mfiles12.plimo.kr": a family name, a number, the file domain.
bool IsFileHost(std::string_view host) {
  if (!EndsWith(host, FILE_DOMAIN)) return false;
  std::string_view name = host.substr(0, host.size() - std::string_view(FILE_DOMAIN).size());
  constexpr size_t schemeLength = std::string_view("http://").size();
  for (const std::string_view family : {std::string_view(BLOGFILES_PREFIX).substr(schemeLength),
                                        std::string_view(MFILES_PREFIX).substr(schemeLength)}) {
    if (!StartsWith(name, family)) continue;
    const std::string_view number = name.substr(family.size());
    if (number.empty()) return false;
    for (const char digit : number) {
      if (!std::isdigit(static_cast<unsigned char>(digit))) return false;
    }
    return true;
  }
  return false;
}

Reply HtmlReply(int status, std::string body) {
  return {status, kHtml, std::move(body), {}};
}

std::string LoginPage(std::string_view messageUtf8, std::string_view buttonImage) {
  PageWriter page;
  page.Line("<html>").Line("<head>");
  page.Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-kr\">");
  page.Line("<title>Plimo 로그인</title>").Line("</head>").Line("<body>");
  page << "<p>" << messageUtf8 << "</p><img src=\"http://" << IMAGE_HOST << "/imgs/" << buttonImage
       << "\" alt=\"\">";
  page.Line().Line("</body>").Line("</html>");
  return page.Cp949Page();
}

int PageNumber(const RequestUrl& url) {
  const std::optional<std::string> value = QueryValue(url.query, "currentPage");
  return value ? std::atoi(value->c_str()) : 1;
}

// The service's fixed images; the emoticons and avicons come with the blogs that use them.
const char* const kFixedImages[] = {
    "/imgs/bg_dot.gif",       "/imgs/bg_dot01.gif",       "/imgs/ico_disk.gif",
    "/imgs/ico_n.gif",        "/imgs/btn_addmypaper.gif", "/imgs/error_01.gif",
    "/imgs/btn_logout01.gif", "/imgs/btn_login01.gif",    "/pblog/txt_open.gif",
};

}  // namespace

Reply ShortPage(int status, std::string_view messageUtf8) {
  PageWriter page;
  page.Line("<html>").Line(
      "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-kr\"></head>");
  page << "<body><p>" << messageUtf8 << "</p></body>";
  page.Line().Line("</html>");
  return HtmlReply(status, page.Cp949Page());
}

Service::Service() : latestLink_(DEV_BLOG_URL) {
  for (const char* path : kFixedImages) media_.insert(std::string("http://") + IMAGE_HOST + path);
}

void Service::AddBlog(const BlogSpec& spec) {
  GeneratedBlog blog = GenerateBlog(spec);
  for (std::string& url : blog.MediaUrls()) media_.insert(std::move(url));
  blogs_.insert_or_assign(LowerCase(spec.id), std::move(blog));
}

void Service::SetLatestBuild(int build, std::string link) {
  latestBuild_ = build;
  latestLink_ = std::move(link);
}

Reply Service::Answer(const RequestUrl& url, std::string_view cookieHeader) {
  if (url.host == LOGIN_HOST) return Login(url);
  const bool needsSession = url.host == BLOG_HOST || IsFileHost(url.host);
  if (needsSession && !HasSession(cookieHeader)) return ShortPage(403, "로그인이 필요한 서비스입니다.");
  return AnswerLoggedIn(url);
}

Reply Service::AnswerLoggedIn(const RequestUrl& url) const {
  if (url.host == BLOG_HOST) return BlogPage(url);
  if (url.host == IMAGE_HOST || url.host == ITEM_IMAGE_HOST || IsFileHost(url.host)) return Picture(url);
  if (url.host == UPDATE_HOST) return VersionText(url);
  return ShortPage(502, "This proxy answers for the Plimo service only and forwards nothing.");
}

std::vector<std::vector<PostModel>> Service::Pages(std::string_view blogId) const {
  std::vector<std::vector<PostModel>> pages;
  const GeneratedBlog* blog = FindBlog(blogId);
  if (blog == nullptr) return pages;
  for (const std::vector<Post>& page : blog->pages) {
    std::vector<PostModel>& models = pages.emplace_back();
    for (const Post& post : page) models.push_back(post.model);
  }
  return pages;
}

const GeneratedBlog* Service::FindBlog(std::string_view id) const {
  const auto found = blogs_.find(LowerCase(id));
  return found == blogs_.end() ? nullptr : &found->second;
}

const Post* Service::FindPost(const RequestUrl& url) const {
  const GeneratedBlog* blog = FindBlog(QueryValue(url.query, "blogId").value_or(""));
  const std::optional<std::string> logNo = QueryValue(url.query, "logNo");
  const std::optional<std::string> listNumber = QueryValue(url.query, "fno");
  if (blog == nullptr || !logNo || !listNumber) return nullptr;
  for (const std::vector<Post>& page : blog->pages) {
    for (const Post& post : page) {
      if (post.model.logNo == *logNo && std::to_string(post.model.listNumber) == *listNumber) return &post;
    }
  }
  return nullptr;
}

Reply Service::Login(const RequestUrl& url) {
  if (url.path != "/pidlogin.login") return ShortPage(404, "페이지를 찾을 수 없습니다.");
  const std::string id = QueryValue(url.query, "id").value_or("");
  // The service reads its query as code page 949; a blog keeps its password in UTF-8.
  const std::string password = Cp949ToUtf8Lossy(QueryValue(url.query, "pw").value_or(""));
  const GeneratedBlog* blog = FindBlog(id);
  if (blog == nullptr || password.empty() || blog->spec.password != password) {
    return HtmlReply(200, LoginPage("아이디 또는 비밀번호가 올바르지 않습니다.", "btn_login01.gif"));
  }
  char token[17];
  std::snprintf(
      token, sizeof token, "%016llx",
      static_cast<unsigned long long>(HashText(LowerCase(id), ++sessionsIssued_ * 0x100000001B3ull)));
  sessions_.insert(token);
  Reply reply = HtmlReply(200, LoginPage(blog->spec.id + "님, 환영합니다.", "btn_logout01.gif"));
  reply.headers.emplace_back(
      "Set-Cookie", std::string(kSessionCookie) + "=" + token + "; Domain=" + FILE_DOMAIN + "; Path=/");
  return reply;
}

Reply Service::BlogPage(const RequestUrl& url) const {
  const std::string blogId = QueryValue(url.query, "blogId").value_or("");
  if (url.path == "/PBlogMain.plm") return HtmlReply(200, MainPage(FindBlog(blogId)));
  if (url.path == "/PostList.plm") return HtmlReply(200, ListPage(FindBlog(blogId), PageNumber(url)));
  const bool comments = url.path == "/PostCommentMain.plm";
  if (comments || url.path == "/PostRelayList.plm") {
    const Post* post = FindPost(url);
    if (post == nullptr) return ShortPage(404, "글을 찾을 수 없습니다.");
    const GeneratedBlog& blog = *FindBlog(blogId);
    return HtmlReply(200, comments ? CommentList(blog, *post) : RelayList(blog, *post));
  }
  constexpr std::string_view homeEnding = ".do";
  if (EndsWith(url.path, homeEnding) && url.path.find('/', 1) == std::string::npos) {
    const std::string_view id = std::string_view(url.path).substr(1, url.path.size() - 1 - homeEnding.size());
    return HtmlReply(200, HomePage(FindBlog(id)));
  }
  return ShortPage(404, "페이지를 찾을 수 없습니다.");
}

Reply Service::Picture(const RequestUrl& url) const {
  const std::string full = url.Full();
  if (media_.count(full) == 0) return ShortPage(404, "파일을 찾을 수 없습니다.");
  return {200, EndsWith(url.path, ".gif") ? "image/gif" : "image/jpeg", PictureFor(full), {}};
}

Reply Service::VersionText(const RequestUrl& url) const {
  if (url.path != "/vudidiv/version.txt") return ShortPage(404, "Not Found");
  return {200, "text/plain", "PB|" + std::to_string(latestBuild_) + "|" + latestLink_ + "\r\n", {}};
}

bool Service::HasSession(std::string_view cookieHeader) const {
  const std::string name = std::string(kSessionCookie) + "=";
  size_t start = 0;
  while (start < cookieHeader.size()) {
    while (start < cookieHeader.size() && (cookieHeader[start] == ' ' || cookieHeader[start] == ';')) ++start;
    const size_t end = std::min(cookieHeader.find(';', start), cookieHeader.size());
    const std::string_view pair = cookieHeader.substr(start, end - start);
    if (StartsWith(pair, name) && sessions_.count(std::string(pair.substr(name.size()))) != 0) return true;
    start = end;
  }
  return false;
}

}  // namespace plimo::sim

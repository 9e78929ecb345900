#include "net/update_check.hpp"

#include "job/run_settings.hpp"
#include "net/endpoints.hpp"
#include "net/fetch_page.hpp"

namespace plimo {
namespace {

bool StartsWith(const Text& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::optional<Text> ReadUpdateLink(const Text& versionText) {
  const int first = Find(versionText, "|");
  if (Left(versionText, first) != "PB") return std::nullopt;
  const int second = Find(versionText, "|", first + 1);
  const Text number = Mid(versionText, first + 1, second - first - 1);
  if (ReadNumber(number) <= kBuildNumber) return std::nullopt;
  // The link comes from a plain-HTTP reply: only a web address, and only its first line, may reach
  // the browser.
  Text link = Right(versionText, static_cast<int>(versionText.size()) - second - 1);
  link = link.substr(0, link.find_first_of("\r\n"));
  if (!StartsWith(link, "http://") && !StartsWith(link, "https://")) return std::nullopt;
  return link;
}

std::optional<Text> CheckForUpdate(const InternetSession& session) {
  const Text url = Text("http://") + UPDATE_HOST + "/vudidiv/version.txt";
  return ReadUpdateLink(FetchPage(session, url, RunSettings{}));
}

}  // namespace plimo

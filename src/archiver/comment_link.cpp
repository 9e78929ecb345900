#include <climits>
#include <optional>
#include <string_view>

#include "archiver/comment_pages.hpp"
#include "archiver/safe_file_name.hpp"
#include "net/endpoints.hpp"

namespace plimo {
namespace {

// Reads a few bytes of a page the way the C library's scanf reads a string: literals must match,
// numbers and words may follow blanks, and the first failure ends the reading.
class PatternReader {
 public:
  explicit PatternReader(const Text& bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}

  bool Literal(std::string_view literal) {
    if (bytes_.compare(position_, literal.size(), literal) != 0) return false;
    position_ += literal.size();
    return true;
  }

  std::optional<int> Number() {
    SkipBlanks();
    size_t at = position_;
    bool negative = false;
    if (at < bytes_.size() && (bytes_[at] == '+' || bytes_[at] == '-')) negative = bytes_[at++] == '-';
    const size_t digitsStart = at;
    long long value = 0;
    for (; at < bytes_.size() && IsDigit(bytes_[at]); ++at)
      if (value <= INT_MAX) value = value * 10 + (bytes_[at] - '0');
    if (at == digitsStart) return std::nullopt;
    position_ = at;
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
  }

  std::optional<Text> Word() {
    SkipBlanks();
    const size_t start = position_;
    while (position_ < bytes_.size() && !IsBlank(bytes_[position_])) ++position_;
    if (position_ == start) return std::nullopt;
    return bytes_.substr(start, position_ - start);
  }

 private:
  static bool IsBlank(char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }
  static bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }
  void SkipBlanks() {
    while (position_ < bytes_.size() && IsBlank(bytes_[position_])) ++position_;
  }

  Text bytes_;
  size_t position_ = 0;
};

}  // namespace

CommentLink ReadCommentLink(const Text& bytes) {
  CommentLink link;
  PatternReader reader(bytes);
  if (!reader.Literal("onclick=\"sublayer('")) return link;
  const std::optional<int> kind = reader.Number();
  if (!kind) return link;
  link.kind = *kind;
  if (!reader.Literal("','")) return link;
  const std::optional<int> listNumber = reader.Number();
  if (!listNumber) return link;
  link.listNumber = *listNumber;
  if (!reader.Literal("','")) return link;
  const std::optional<Text> word = reader.Word();
  if (word) link.postNumber = word->substr(0, word->find('\''));
  return link;
}

Text CommentListUrl(const Text& blogId, const CommentLink& link) {
  const Text path = link.kind == 1 ? "/PostCommentMain.plm?blogId=%s&fno=%d&logNo=%s&skinId=&skinType="
                                   : "/PostRelayList.plm?blogId=%s&fno=%d&logNo=%s&skinId=&skinType=";
  return "http://" + Text(BLOG_HOST) + Format(path, blogId, link.listNumber, link.postNumber);
}

CommentPageFile CommentPageFileOf(const Text& archiveRoot, const CommentLink& link) {
  const Text folder = archiveRoot + "\\comment\\";
  const Text name = Format(Text("R%d%d%s.html"), link.kind, link.listNumber, link.postNumber);
  const SafeFileName file = MakeSafeFileName(name);
  return {folder + file.name, folder + (file.reachedByOriginal ? name : file.name)};
}

}  // namespace plimo

#include "index/style_sheet.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

Text ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Text(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Index of the first line at or after from that starts with prefix; lines.size() when none does.
size_t LineStartingWith(const std::vector<std::string>& lines, const std::string& prefix, size_t from) {
  while (from < lines.size() && !lines[from].starts_with(prefix)) ++from;
  return from;
}

TEST(StyleSheet, FollowsTheOutlineInCodePage949) {
  test::TempFolder folder;
  ASSERT_TRUE(WriteStyleSheet(folder.program()));
  const Text bytes = ReadBytes(folder.native() / "paper.css");
  const std::optional<std::string> utf8 = Cp949ToUtf8(bytes);
  ASSERT_TRUE(utf8) << "Korean typefaces and comments are stored in code page 949";
  EXPECT_EQ(WithCrlfLineEnds(bytes), bytes) << "every line ends in CR LF";
  EXPECT_NE(bytes.back(), '\n');

  std::string text = *utf8;
  std::erase(text, '\r');
  const std::vector<std::string> lines = Lines(text);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.front(), "img {border:none}");
  EXPECT_TRUE(lines[lines.size() - 2].starts_with("P {")) << lines[lines.size() - 2];
  EXPECT_TRUE(lines[lines.size() - 2].ends_with("} ")) << "the P rule ends in one blank";
  EXPECT_TRUE(lines.back().starts_with(".itemSubjectBoldfont {")) << lines.back();

  // Each group opens with its comment, or with its first rule, in file order; each named rule carries
  // the typefaces or colours of its look.
  const struct {
    const char* lineStart;
    std::vector<const char*> look;
  } outline[] = {
      {"SELECT", {"#FFFFFF"}},
      {"body, table, tr, td, textarea",
       {"\"돋움\", \"굴림\", \"seoul\", \"verdana\", \"arial\"", "9pt", "#404040"}},
      {"a:link", {"#333333", "none"}},
      {"a:hover", {"#999999", "underline"}},
      {".mainlink:hover", {"#FFFFFF"}},
      {".box", {"border:1 solid C4CAD1"}},
      {".ubox", {"\"verdana\", \"arial\"", "9px", "18px", "border:1 solid C4CAD1"}},
      {".tbox", {"border:1 solid C4CAD1", "overflow"}},
      {".eng2", {"\"돋움\"", "11px"}},
      {".view2", {"140%", "#787878"}},
      {"/* 검색 링크 */", {}},
      {".s_link:link", {"#1A3588", "underline"}},
      {"/* 수정된 blink 링크 */", {}},
      {".blink:hover", {"#5573CB", "underline"}},
      {"/* 컨탠츠 링크 */", {}},
      {".con_link:link", {"#0033CC"}},
      {"/* 비회원 gray */", {}},
      {".gray:link", {"#9B9B9B"}},
      {"/* 상단공통UI */", {}},
      {".plimo_menu:link", {"\"굴림\", \"seoul\"", "#333333"}},
      {".p5", {"5px"}},
      {".p40", {"40px"}},
      {".b, .b:link, .b:visited, .b:active, .b:hover", {"bold"}},
      {"#o", {"#FF7635"}},
      {".pop_t", {"#8F8F8F"}},
      {".Pt3", {"\"돋움\"", "12px", "-0.04em"}},
      {"#wb:link", {"#FFFFFF"}},
      {"/* 블로그 메인 */", {}},
      {".fbox", {"#616161", "#FFFBF0", "border:1 solid DBD7CD"}},
      {".Pt2", {"\"돋움\"", "14px", "#315592", "underline"}},
      {".nav:active", {"#FF7635"}},
      {"/* 최근덧글, 다녀간 블로거 */", {}},
      {".co_list:hover", {"#999999", "underline"}},
      {"/* 이웃블로그 */", {}},
      {".buddy_title:link", {"bold", "#333333"}},
      {".sm", {"\"verdana\"", "9px", "#333333"}},
      {"/*color*/", {}},
      {".c, .c:link, .c:visited, .c:active, .c:hover", {"#000000"}},
      {".bl01, .bl01:link, .bl01:visited, .bl01:active, .bl01:hover", {"#084D8C"}},
      {"P {", {"2px"}},
      {".itemSubjectBoldfont", {"\"돋움\"", "bold", "12px", "#333333", "-0.04em"}},
  };
  size_t at = 0;
  for (const auto& entry : outline) {
    at = LineStartingWith(lines, entry.lineStart, at);
    ASSERT_LT(at, lines.size()) << entry.lineStart << " missing or out of order";
    for (const char* piece : entry.look) EXPECT_NE(lines[at].find(piece), std::string::npos) << lines[at];
  }
}

TEST(StyleSheet, SecondRunRewritesTheFileWhole) {
  test::TempFolder folder;
  ASSERT_TRUE(WriteStyleSheet(folder.program()));
  const Text first = ReadBytes(folder.native() / "paper.css");
  std::ofstream(folder.native() / "paper.css", std::ios::binary) << std::string(first.size() * 2, 'x');
  ASSERT_TRUE(WriteStyleSheet(folder.program()));
  EXPECT_EQ(ReadBytes(folder.native() / "paper.css"), first);
}

TEST(StyleSheet, ReportsAFolderThatCannotBeWritten) {
  test::TempFolder folder;
  EXPECT_FALSE(WriteStyleSheet(folder.program() + "\\missing"));
}

}  // namespace
}  // namespace plimo

#include "archiver/safe_file_name.hpp"

#include <gtest/gtest.h>

#include "archiver/media.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

Text Repeated(const Text& piece, int times) {
  Text text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

size_t Utf8Length(const Text& name) {
  return NativePath(name).native().size();
}

bool StartsWith(const Text& text, const Text& start) {
  return text.compare(0, start.size(), start) == 0;
}
bool EndsWith(const Text& text, const Text& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(SafeFileName, KeepsWhatABrowserFindsByTheOriginalLink) {
  const Text hangul = Cp949("사진");
  const struct {
    Text original;
    Text saved;
  } cases[] = {
      {"3photo.jpg", "3photo.jpg"},
      {"a.jpg?type=w1", "a.jpg"},
      {"a.jpg#top", "a.jpg"},
      {"a.jpg#x?y", "a.jpg"},
      {"a\tb\r\nc.jpg", "abc.jpg"},
      {hangul + ".gif", hangul + ".gif"},
      {"C:photo.jpg", "C:photo.jpg"},
      {"...", "..."},
      {Repeated(hangul, 32) + "12345678", Repeated(hangul, 32) + "12345678"},  // 200 bytes of UTF-8
  };
  for (const auto& c : cases) {
    const SafeFileName safe = MakeSafeFileName(c.original);
    EXPECT_EQ(safe.name, c.saved) << c.original;
    EXPECT_TRUE(safe.reachedByOriginal) << c.original;
  }
}

TEST(SafeFileName, ReplacesWhatCannotBeOneNameOrIsReadDifferently) {
  const Text hangul = Cp949("사진");
  const struct {
    const char* why;
    Text original;
    Text start;
    Text end;
  } cases[] = {
      {"parent folders", "..\\..\\..\\etc\\passwd", ".._.._.._etc_passwd~", ""},
      {"a lead byte hiding a slash", "\xB0/../x.jpg", "__.._x~", ".jpg"},
      {"drive and folders", "C:\\Windows\\win.ini", "C:_Windows_win~", ".ini"},
      {"dot segment", "..", "..~", ""},
      {"nothing before the query", "?x=1", "~", ""},
      {"control byte",
       "a\x01"
       "b.gif",
       "a_b~", ".gif"},
      {"escape a browser would decode", "R13%41.html", "R13_41~", ".html"},
      {"bytes outside the code page", "\xFF\xB0.jpg", "__~", ".jpg"},
      {"long ASCII", Repeated("a", 300) + ".jpg", "aaaa", ".jpg"},
      {"short in code page 949, long in UTF-8", Repeated(hangul, 33) + "1234", hangul, ""},
      {"long extension is no extension", "a\x01." + Repeated("x", 11), "a_.xx", ""},
  };
  for (const auto& c : cases) {
    const SafeFileName safe = MakeSafeFileName(c.original);
    EXPECT_FALSE(safe.reachedByOriginal) << c.why;
    EXPECT_TRUE(StartsWith(safe.name, c.start)) << c.why << ": " << safe.name;
    EXPECT_TRUE(EndsWith(safe.name, c.end)) << c.why << ": " << safe.name;
    EXPECT_LE(Utf8Length(safe.name), kLongestFileName) << c.why;
    EXPECT_TRUE(MakeSafeFileName(safe.name).reachedByOriginal) << c.why << ": the replacement is safe itself";
  }
  EXPECT_NE(MakeSafeFileName("a\\b.jpg").name, MakeSafeFileName("a/b.jpg").name)
      << "names that clean alike still get files of their own";
}

TEST(SafeFileName, HostileMediaUrlsStayInTheirFolder) {
  const Text root = "\\archive";
  const struct {
    MediaKind kind;
    Text url;
    Text folder;
  } cases[] = {
      {MediaKind::PostImage, "http://blogfiles\\..\\..\\..\\home\\user\\.bashrc", "/archive/images"},
      {MediaKind::Attachment, "http://mfiles\\..\\P1.html", "/archive/files"},
      {MediaKind::Avicon, "http://item.plimo.kr/avicon/..\\..\\index.html", "/archive/avicon"},
      {MediaKind::Emoticon, "http://img.plimo.kr/imgs/emot/..", "/archive/avicon"},
      {MediaKind::PostImage, "http://blogfiles1.plimo.kr/\xB0/../\xB0/../x.jpg", "/archive/images"},
  };
  for (const auto& c : cases) {
    const Text localName = LocalMediaName(c.url, c.kind);
    const MediaTarget target = TargetOf(root, localName);
    EXPECT_EQ(NativePath(target.path).parent_path(), c.folder) << c.url;
    EXPECT_EQ(root + "\\" + target.link, target.path) << c.url << ": the page links to the file it got";
  }

  const MediaTarget plain = TargetOf(root, "images\\1a.jpg?w=1");
  EXPECT_EQ(plain.path, "\\archive\\images\\1a.jpg");
  EXPECT_EQ(plain.link, "images\\1a.jpg?w=1");
}

}  // namespace
}  // namespace plimo

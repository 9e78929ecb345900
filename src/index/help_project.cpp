#include "index/help_project.hpp"

#include <algorithm>

#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

constexpr const char* kProject =
    "[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=블로그.chm\nContents file=블로그.hhc\n"
    "Default topic=index.html\nDisplay compile progress=Yes\nFull-text search=Yes\nLanguage=0x412 한국어\n"
    "Title=%s\n\n[INFOTYPES]";

constexpr const char* kContentsHead =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n"
    "<meta name=\"GENERATOR\" content=\"Plimo블로그백업프로그램 By Quelm\">\n<!-- Sitemap 1.0 -->\n"
    "</HEAD><BODY>\n<OBJECT type=\"text/site properties\">\n\t<param name=\"ImageType\" value=\"Folder\">\n"
    "</OBJECT>\n<UL>";
constexpr const char* kRootEntry =
    "\t<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"블로그 스토리\">\n"
    "<param name=\"Local\" value=\"index.html\">\n\t</OBJECT>";
constexpr const char* kCategoryOpening =
    "\n\t<LI> <OBJECT type=\"text/sitemap\">\n\t\t\t<param name=\"Name\" "
    "value=\"%s\">\n\t\t</OBJECT>\n\t<UL>";
constexpr const char* kPostEntry =
    "\n\t\t<LI> <OBJECT type=\"text/sitemap\">\n\t\t\t\t<param name=\"Name\" value=\"%s\">\n"
    "\t\t\t\t<param name=\"Local\" value=\"P%d.html#%d\">\n\t\t\t</OBJECT>";
constexpr const char* kCategoryClosing = "\t</UL>";
constexpr const char* kContentsTail = "</UL></BODY></HTML>";

// Names are HTML text of the service's pages and go into a quoted attribute as they stand, except for
// a double quote, which would end the attribute and cut the name short.
Text AttributeValue(const Text& name) {
  Text value = name;
  Replace(value, "\"", "&quot;");
  return value;
}

Text Contents(const BackupJob& job) {
  Text contents = Cp949(kContentsHead);
  contents += Cp949(kRootEntry);
  const size_t categoryCount = std::min(job.m_arrCategoryName.size(), job.m_arrCategoryKey.size());
  for (size_t category = 0; category < categoryCount; ++category) {
    contents += Format(kCategoryOpening, AttributeValue(job.m_arrCategoryName[category]));
    const int key = ReadNumber(job.m_arrCategoryKey[category]);
    for (const auto& post : job.m_arrPosts)
      if (post->nCategoryKey == key)
        contents += Format(kPostEntry, AttributeValue(post->pszTitle), post->nPage, post->nAnchor);
    contents += kCategoryClosing;
  }
  contents += kContentsTail;
  return contents;
}

}  // namespace

bool WriteHelpProject(const BackupJob& job, const Text& blogTitle) {
  const Text folder = job.m_strBackupDir + "\\";
  const bool projectWritten =
      WriteTextFile(folder + Cp949("블로그.hhp"), Format(Cp949(kProject), blogTitle), WriteMode::Create);
  const bool contentsWritten = WriteTextFile(folder + Cp949("블로그.hhc"), Contents(job), WriteMode::Create);
  return projectWritten && contentsWritten;
}

}  // namespace plimo

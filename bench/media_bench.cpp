// Localising the media of a busy list page whose files are all in the archive already: what is left
// is the scan and one replace-all per URL over the whole page.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "archiver/media.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

class SilentView : public JobView {
 public:
  void SetStatusText(const Text&) override {}
  void SetOverallPercent(int) override {}
  void SetFilePercent(int) override {}
  void ShowFileProgress(bool) override {}
  void SetCaptionText(const Text&) override {}
  void EnableBackupButton(bool) override {}
  void ShowMessage(const Text&) override {}
  bool AskYesNo(const Text&) override { return false; }
  bool AskRetry(const Text&) override { return false; }
  void RequestClose() override {}
  std::optional<Text> AskName() override { return std::nullopt; }
  std::optional<std::string> AskFolder() override { return std::nullopt; }
};

class ScratchArchive {
 public:
  ScratchArchive() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plimo-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~ScratchArchive() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  Text program() const { return *ProgramPath(path_.string()); }

 private:
  std::filesystem::path path_;
};

// About 500 KB of Korean markup with 300 different media URLs: 250 post images, 50 attachments.
Text ListPageWithMedia() {
  const Text& prose = Cp949(
      "<p class=\"pcol1\">블로그 본문입니다. 가나다라마바사 아자차카타파하. 오늘은 사진을 몇 장 "
      "올립니다.</p>\r\n");
  Text page;
  for (int i = 0; i < 300; ++i) {
    while (page.size() < static_cast<size_t>(i) * 1700) page += prose;
    page += i < 250 ? "<img src=\"http://blogfiles3.plimo.kr/data/2007/3/10/photo" + std::to_string(i) +
                          ".jpg\">\r\n"
                    : "<a href='http://mfiles2.plimo.kr/20070310_12/report" + std::to_string(i) +
                          ".hwp'>file</a>\r\n";
  }
  while (page.size() < 500 * 1024) page += prose;
  return page;
}

void BM_LocaliseListPageWithFilesPresent(benchmark::State& state) {
  ScratchArchive archive;
  BackupJob job;
  job.m_strBackupDir = archive.program();
  CreateFolder(job.m_strBackupDir + "\\images");
  CreateFolder(job.m_strBackupDir + "\\files");
  SilentView view;
  BackupRun run{job, view, {}};

  const Text page = ListPageWithMedia();
  MediaList present;
  int32_t unused = 0;
  CollectMediaUrls(page, MediaKind::PostImage, present, unused);
  CollectMediaUrls(page, MediaKind::Attachment, present, unused);
  if (present.urls.size() != 300) state.SkipWithError("the page should hold 300 media URLs");
  for (const Text& name : present.localNames)
    WriteTextFile(TargetOf(job.m_strBackupDir, name).path, "x", WriteMode::Create);

  for (auto _ : state) {
    Text text = page;
    MediaList list;
    CollectMediaUrls(text, MediaKind::PostImage, list, run.vars.nCommentCount);
    CollectMediaUrls(text, MediaKind::Attachment, list, run.vars.nCommentCount);
    DownloadAndRelink(run, list, text, LinkForm::FromRoot, Pause::AfterDownload);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_LocaliseListPageWithFilesPresent)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plimo

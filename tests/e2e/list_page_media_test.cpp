// The comment pages and media of one list page against the simulated service: the steps of a run
// from the composed page to the page ready to be finished.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "archiver/comment_pages.hpp"
#include "archiver/list_page.hpp"
#include "archiver/media.hpp"
#include "net/endpoints.hpp"
#include "net/fetch_page.hpp"
#include "platform/files.hpp"
#include "sim/simulator.hpp"
#include "support/golden_file.hpp"
#include "support/local_server.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

Text BlogUrl(const std::string& pathAndQuery) {
  return "http://" + Text(BLOG_HOST) + pathAndQuery;
}

TEST(ListPageMedia, EveryCommentAndRelayListIsSavedAndEveryMediumIsLocal) {
  sim::Simulator simulator;
  simulator.AddBlog({"quelm", "secret", "", sim::BlogKind::Normal, {1, 3, 2, 2, 1, 3, 1, 7}});
  test::ScopedProxy proxy(simulator.Start());

  test::TempFolder folder;
  BackupJob job;
  job.m_strBlogId = "quelm";
  job.m_strBackupDir = folder.program();
  for (const char* sub : {"\\images", "\\files", "\\avicon", "\\comment"})
    CreateFolder(job.m_strBackupDir + sub);
  job.m_settings.pauseAfterDownload = std::chrono::milliseconds(1);
  test::RecordingView view;
  BackupRun run{job, view, {}};

  FetchPage(job.m_inet, "http://" + Text(LOGIN_HOST) + "/pidlogin.login?id=quelm&pw=secret", job.m_settings);
  Text page = ComposeListPage(
      FetchPage(job.m_inet, BlogUrl("/PostList.plm?blogId=quelm&currentPage=1&categoryNo=0&viewdate="),
                job.m_settings),
      1);
  SaveCommentPages(run, page, 1);
  LocalisePageFiles(run, page, 1);

  const auto pages = simulator.Pages("quelm");
  int comments = 0;
  for (const sim::PostModel& post : pages.at(0)) {
    std::string lists;
    for (int kind : {1, 2}) {
      const Text path =
          job.m_strBackupDir + Format(Text("\\comment\\R%d%d%s.html"), kind, post.listNumber, post.logNo);
      EXPECT_TRUE(FileExists(path)) << path;
      EXPECT_NE(Find(page, "<a href='" + path + "'></a>"), -1) << "hidden link to " << path;
      lists += test::ReadAll(NativePath(path));
    }
    EXPECT_EQ(lists.find(AVICON_PREFIX), std::string::npos) << post.logNo;
    for (const std::string& url : post.emoticonUrls) EXPECT_EQ(lists.find(url), std::string::npos) << url;
    for (const std::string& url : post.looseEmoticonUrls)
      EXPECT_NE(lists.find(url), std::string::npos) << url;
    for (const std::string& url : post.aviconUrls)
      EXPECT_TRUE(FileExists(TargetOf(job.m_strBackupDir, LocalMediaName(url, MediaKind::Avicon)).path))
          << url;
    comments += static_cast<int>(post.aviconUrls.size() + post.emoticonUrls.size());

    for (const std::string& url : post.imageUrls) {
      EXPECT_EQ(Find(page, url), -1) << url;
      EXPECT_TRUE(FileExists(TargetOf(job.m_strBackupDir, LocalMediaName(url, MediaKind::PostImage)).path))
          << url;
    }
    for (const std::string& url : post.attachmentUrls) {
      EXPECT_EQ(Find(page, url), -1) << url;
      EXPECT_TRUE(FileExists(TargetOf(job.m_strBackupDir, LocalMediaName(url, MediaKind::Attachment)).path))
          << url;
    }
  }
  EXPECT_EQ(run.vars.nCommentCount, comments);
  EXPECT_FALSE(run.writeFailed);
}

}  // namespace
}  // namespace plimo

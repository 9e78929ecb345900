#include "archiver/media.hpp"

#include "archiver/relink.hpp"
#include "net/endpoints.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

// A page names its local files with '/'. A browser reads '\' as a separator only in a plain attribute;
// inside a script's string, where the service writes some of its post images, it escapes the next
// character, and the image is never found.
Text PageLink(const Text& link, LinkForm form) {
  Text slashed = link;
  Replace(slashed, "\\", "/");
  return form == LinkForm::FromCommentFolder ? "../" + slashed : slashed;
}

}  // namespace

void DownloadAndRelink(BackupRun& run, MediaList& list, Text& text, LinkForm form, Pause pause) {
  std::vector<Text> links;
  links.reserve(list.urls.size());
  for (size_t i = 0; i < list.urls.size(); ++i) {
    const MediaTarget target = TargetOf(run.job.m_strBackupDir, list.localNames[i]);
    // A file from an earlier page, comment page or run is kept as it is.
    if (!FileExists(target.path)) DownloadFile(run.job, run.view, list.urls[i], target.path, pause);
    // The page links to the local copy whether or not it arrived; the error log says which did not.
    links.push_back(PageLink(target.link, form));
  }
  RelinkUrls(text, list.urls, links);
  list.urls.clear();
  list.localNames.clear();
}

void LocaliseLayoutImages(BackupRun& run) {
  run.view.SetStatusText(Cp949("기본 레이아웃 전송중.."));
  for (const char* name : {"bg_dot.gif", "bg_dot01.gif", "ico_disk.gif", "ico_n.gif", "btn_addmypaper.gif"})
    DownloadFile(run.job, run.view, Text(LAYOUT_IMAGE_PREFIX) + name,
                 run.job.m_strBackupDir + "\\images\\" + name, Pause::Skip);
}

void LocalisePageFiles(BackupRun& run, Text& text, int n) {
  run.view.SetStatusText(Format(Cp949("%d페이지 백업중...(첨부파일 다운로드)"), n));
  MediaList list;
  CollectMediaUrls(text, MediaKind::PostImage, list, run.vars.nCommentCount);
  CollectMediaUrls(text, MediaKind::Attachment, list, run.vars.nCommentCount);
  DownloadAndRelink(run, list, text, LinkForm::FromRoot, Pause::AfterDownload);
}

void LocaliseCommentIcons(BackupRun& run, Text& comment, int n) {
  MediaList list;
  CollectMediaUrls(comment, MediaKind::Avicon, list, run.vars.nCommentCount);
  CollectMediaUrls(comment, MediaKind::Emoticon, list, run.vars.nCommentCount);
  run.view.SetStatusText(Format(Cp949("%d페이지 백업중...(avicon)"), n));
  DownloadAndRelink(run, list, comment, LinkForm::FromCommentFolder, Pause::Skip);
}

}  // namespace plimo

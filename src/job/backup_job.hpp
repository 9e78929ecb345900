// The record of the whole job: the user's input, the run-control flags, the archive folder and
// what a run collects. The front end owns one for the life of the program; the worker borrows it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "job/run_settings.hpp"
#include "net/internet_session.hpp"
#include "net/text.hpp"

namespace plimo {

struct PostEntry {
  Text pszCategory;
  Text pszTitle;
  int32_t nPage = 0;
  int32_t nAnchor = 0;
  int32_t nCategoryKey = 0;
};

// How the last run ended, for a front end that needs more than what the view was shown.
enum class RunEnd {
  None,            // no run has ended yet
  Completed,
  Unused,          // the blog exists but has no posts
  NotFound,
  NotRegistered,
  PagesUnavailable,  // a list page kept failing; the pages saved so far stay
  WriteFailed,     // a file of the archive could not be written
  Stopped,
};

struct BackupJob {
  BackupJob();

  // Input, copied from the front end before a run.
  Text m_strBlogId;
  Text m_strStatus;
  Text m_strPassword;
  int m_nOverseas = 0;

  // Run control: m_bRunning is written by the worker only, m_bStopRequested by the front end only.
  std::atomic<int32_t> m_bRunning{0};
  std::atomic<int32_t> m_bStopRequested{0};

  // The archive root, without a trailing backslash.
  Text m_strBackupDir;

  // Collected while list pages are analysed; empty between runs.
  std::vector<Text> m_arrCategoryName;
  std::vector<Text> m_arrCategoryKey;
  std::vector<std::unique_ptr<PostEntry>> m_arrPosts;

  InternetSession m_inet;

  // The download in progress (one at a time, on the worker).
  Text m_strDlUrl;
  Text m_strDlPath;

  RunSettings m_settings;
  std::atomic<RunEnd> m_runEnd{RunEnd::None};

  void EmptyCollectedArrays();
  // Sleeps in short slices so that a stop request is seen within a moment; false when one came.
  bool PauseUnlessStopped(RunSettings::Duration pause) const;
};

}  // namespace plimo

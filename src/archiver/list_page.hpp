// A fetched list page becomes the archive page P<n>.html: cut to its posts, wrapped with the
// comment script, the stylesheet link and the navigation tables, then finished and written.
#pragma once

#include <memory>

#include "job/job_view.hpp"
#include "net/text.hpp"
#include "platform/files.hpp"

namespace plimo {

Text ComposeListPage(const Text& text, int n);

// Opens the page file, asking the view whether to try again while that fails; nullptr when the
// view gives up.
std::unique_ptr<PendingFile> OpenPageFile(JobView& view, const Text& path);

// The last replacements, the title in front, then the text written (CR LF rule) and the file
// put in place. False when the write failed.
bool FinishListPage(Text& text, const Text& pageTitles, PendingFile& file);

}  // namespace plimo

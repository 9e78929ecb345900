// Each post's comment and relay lists saved as pages of their own under comment\.
#pragma once

#include "archiver/backup_run.hpp"
#include "net/text.hpp"

namespace plimo {

struct CommentLink {
  int kind = 0;
  int listNumber = 0;
  Text postNumber;
};

// Reads the link's three values from the bytes that start with onclick="sublayer(.
CommentLink ReadCommentLink(const Text& bytes);

// Fetches, rewrites and saves every comment and relay list the page links to, and appends a
// hidden link to each saved page to text.
void SaveCommentPages(BackupRun& run, Text& text, int n);

}  // namespace plimo

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

// The comment or relay list of the link on the blog host.
Text CommentListUrl(const Text& blogId, const CommentLink& link);

// Where the link's page is saved, and the path that the list page's hidden link names: the name
// that the list page's script asks for, wherever that still reaches the saved file.
struct CommentPageFile {
  Text path;
  Text link;
};
CommentPageFile CommentPageFileOf(const Text& archiveRoot, const CommentLink& link);

// The fetched list as the archive keeps it: from its body on, styled by the archive's sheet,
// without its input fields and, for comments (kind 1), without the paging below them.
void RewriteCommentPage(Text& comment, int kind);

// Fetches, rewrites and saves every comment and relay list the page links to, and appends a
// hidden link to each saved page to text.
void SaveCommentPages(BackupRun& run, Text& text, int n);

}  // namespace plimo

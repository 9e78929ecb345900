// The file layer: paths are Text with backslash separators inside the program and become
// UTF-8 paths with '/' only here.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "net/text.hpp"

namespace plimo {

// A program path (code page 949, '\' separators) as a path of this system. Bytes that are not
// valid code page 949 are kept as %XX so that no two program paths meet on one file by accident.
std::filesystem::path NativePath(const Text& path);

// A folder chosen by a person (UTF-8, '/' separators) as a program path; nothing when code
// page 949 cannot hold its name.
std::optional<Text> ProgramPath(const std::string& utf8Folder);

// A program path as a person on this system knows it: '/' separators, a doubled one (left by a
// chosen root folder) shown once.
Text DisplayPath(const Text& path);

// A lone LF becomes CR LF; CR LF and lone CR stay as they are.
Text WithCrlfLineEnds(const Text& text);

enum class WriteMode { Create, Append };

// Writes text with the CR LF rule. Create replaces the file whole through a temporary name, so
// that the old or the new file is there, never a half-written one; Append adds at the end and
// creates a missing file.
bool WriteTextFile(const Text& path, const Text& text, WriteMode mode);

// The whole file; nothing when it cannot be read.
std::optional<Text> ReadWholeFile(const Text& path);

// Creates one folder; true when the folder exists afterwards (also when it was already there).
bool CreateFolder(const Text& path);

bool FileExists(const Text& path);
bool FolderExists(const Text& path);

// Removes the temporary files that a killed process left in folder (not below it): those whose
// writer is gone. Files of a process still running are left alone.
void RemoveAbandonedPendingFiles(const Text& folder);

// A file that is written under a temporary name beside its final one and takes the final name
// only on Commit; dropped uncommitted, it leaves nothing behind.
class PendingFile {
 public:
  static std::unique_ptr<PendingFile> Create(const Text& path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  bool Write(const void* bytes, size_t count);
  // Closes and renames into place; false (and nothing left behind) when that fails.
  bool Commit();

 private:
  PendingFile(std::filesystem::path finalPath, std::filesystem::path temporaryPath, std::FILE* file);
  void Discard();

  std::filesystem::path finalPath_;
  std::filesystem::path temporaryPath_;
  std::FILE* file_;
};

}  // namespace plimo

#include "platform/files.hpp"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <string_view>
#include <system_error>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

std::string EscapeInvalidBytes(const Text& path) {
  std::string escaped;
  for (unsigned char byte : path) {
    if (byte < 0x80) {
      escaped += static_cast<char>(byte);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      escaped += hex;
    }
  }
  return escaped;
}

constexpr std::string_view kPendingMark = ".part-";

// Unique among the threads and processes that may write beside the same final name.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& finalPath) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary = finalPath;
  temporary += std::string(kPendingMark) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  return temporary;
}

// The writer's process id of a temporary name: ".part-<pid>-<counter>" at its end.
std::optional<pid_t> WriterOf(const std::string& name) {
  const size_t mark = name.rfind(kPendingMark);
  if (mark == std::string::npos) return std::nullopt;
  const char* const end = name.data() + name.size();
  pid_t pid = 0;
  unsigned counter = 0;
  const auto [pidEnd, pidError] = std::from_chars(name.data() + mark + kPendingMark.size(), end, pid);
  if (pidError != std::errc() || pidEnd == end || *pidEnd != '-' || pid <= 0) return std::nullopt;
  const auto [counterEnd, counterError] = std::from_chars(pidEnd + 1, end, counter);
  if (counterError != std::errc() || counterEnd != end) return std::nullopt;
  return pid;
}

bool IsGone(pid_t pid) { return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

std::filesystem::path NativePath(const Text& path) {
  Text slashed = path;
  for (char& byte : slashed)
    if (byte == '\\') byte = '/';
  std::optional<std::string> utf8 = Cp949ToUtf8(slashed);
  return std::filesystem::path(utf8 ? *utf8 : EscapeInvalidBytes(slashed));
}

std::optional<Text> ProgramPath(const std::string& utf8Folder) {
  std::optional<Text> path = Utf8ToCp949(utf8Folder);
  if (!path) return std::nullopt;
  for (char& byte : *path)
    if (byte == '/') byte = '\\';
  return path;
}

Text DisplayPath(const Text& path) {
  Text shown;
  for (char byte : path) {
    if (byte == '\\') byte = '/';
    if (byte == '/' && !shown.empty() && shown.back() == '/') continue;
    shown += byte;
  }
  return shown;
}

Text WithCrlfLineEnds(const Text& text) {
  Text result;
  result.reserve(text.size() + text.size() / 32);
  // Copied a line at a time: a fetched page has CR LF everywhere already and goes across whole.
  size_t copied = 0;
  for (size_t lf = text.find('\n'); lf != Text::npos; lf = text.find('\n', lf + 1)) {
    if (lf > 0 && text[lf - 1] == '\r') continue;
    result.append(text, copied, lf - copied);
    result += '\r';
    copied = lf;
  }
  result.append(text, copied, Text::npos);
  return result;
}

bool WriteTextFile(const Text& path, const Text& text, WriteMode mode) {
  const Text bytes = WithCrlfLineEnds(text);
  if (mode == WriteMode::Create) {
    std::unique_ptr<PendingFile> file = PendingFile::Create(path);
    return file && file->Write(bytes.data(), bytes.size()) && file->Commit();
  }
  std::FILE* file = std::fopen(NativePath(path).c_str(), "ab");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::optional<Text> ReadWholeFile(const Text& path) {
  std::FILE* file = std::fopen(NativePath(path).c_str(), "rb");
  if (!file) return std::nullopt;
  Text bytes;
  char buffer[65536];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

bool CreateFolder(const Text& path) {
  std::error_code error;
  const std::filesystem::path native = NativePath(path);
  std::filesystem::create_directory(native, error);
  return std::filesystem::is_directory(native, error);
}

bool FileExists(const Text& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(NativePath(path), error);
}

bool FolderExists(const Text& path) {
  std::error_code error;
  return std::filesystem::is_directory(NativePath(path), error);
}

void RemoveAbandonedPendingFiles(const Text& folder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(NativePath(folder), error)) {
    const std::optional<pid_t> writer = WriterOf(entry.path().filename().string());
    if (writer && IsGone(*writer) && entry.is_regular_file(error))
      std::filesystem::remove(entry.path(), error);
  }
}

std::unique_ptr<PendingFile> PendingFile::Create(const Text& path) {
  std::filesystem::path finalPath = NativePath(path);
  std::filesystem::path temporaryPath = TemporaryPathFor(finalPath);
  std::FILE* file = std::fopen(temporaryPath.c_str(), "wbx");
  if (!file) return nullptr;
  return std::unique_ptr<PendingFile>(new PendingFile(std::move(finalPath), std::move(temporaryPath), file));
}

PendingFile::PendingFile(std::filesystem::path finalPath, std::filesystem::path temporaryPath, std::FILE* file)
    : finalPath_(std::move(finalPath)), temporaryPath_(std::move(temporaryPath)), file_(file) {}

PendingFile::~PendingFile() { Discard(); }

bool PendingFile::Write(const void* bytes, size_t count) {
  return file_ && std::fwrite(bytes, 1, count, file_) == count;
}

bool PendingFile::Commit() {
  if (!file_) return false;
  // No fsync: the rename already keeps a killed process from leaving a torn file, and a sync per
  // media file would cost more than the downloads it protects.
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  std::error_code error;
  if (flushed && closed) std::filesystem::rename(temporaryPath_, finalPath_, error);
  if (!flushed || !closed || error) {
    std::filesystem::remove(temporaryPath_, error);
    return false;
  }
  return true;
}

void PendingFile::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  std::error_code error;
  std::filesystem::remove(temporaryPath_, error);
}

}  // namespace plimo

#include "platform/browser.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace plimo {

bool OpenInBrowser(const std::string& utf8UrlOrPath) {
  // Spawned directly, not through a shell, so the link (which may come from a page) never reaches
  // one. xdg-open may wait for the browser it starts, so it is reaped in the background.
  const char* arguments[] = {"xdg-open", utf8UrlOrPath.c_str(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char**>(arguments), environ) != 0) return false;
  std::thread([child] {
    int status = 0;
    waitpid(child, &status, 0);
  }).detach();
  return true;
}

}  // namespace plimo

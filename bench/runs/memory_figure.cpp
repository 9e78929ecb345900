#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "net/endpoints.hpp"
#include "runs/figures.hpp"
#include "support/scratch_folder.hpp"

extern char** environ;

namespace plimo::bench {
namespace {

constexpr const char* kGnuTime = "/usr/bin/time";

// This process's environment with http_proxy pointing at the simulator.
std::vector<std::string> ChildEnvironment(const std::string& proxy) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry)
    if (std::strncmp(*entry, "http_proxy=", 11) != 0 && std::strncmp(*entry, "no_proxy=", 9) != 0 &&
        std::strncmp(*entry, "NO_PROXY=", 9) != 0)
      environment.emplace_back(*entry);
  environment.push_back("http_proxy=" + proxy);
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

MemoryFigure MeasurePeakMemory(const std::string& quietBackup, const sim::BlogShape& shape) {
  MemoryFigure figure;
  figure.listPages = shape.listPages;
  figure.posts = shape.listPages * shape.postsPerPage;

  sim::Simulator simulator;
  simulator.AddBlog({"memoryblog", "secret", "", sim::BlogKind::Normal, shape});
  const std::string proxy = simulator.Start();
  figure.listPageBytes =
      simulator.Body(std::string("http://") + BLOG_HOST + "/PostList.plm?blogId=memoryblog&currentPage=1")
          .size();
  ScratchFolder folder;

  // GNU time starts the backup from a process of its own: the peak that the kernel keeps for a process
  // counts the address space it started from, and for a child of this process that would be all
  // the memory of the simulator here.
  const std::string peakFile = (folder.native() / "peak").string();
  std::vector<std::string> arguments = {
      kGnuTime, "-f", "%M", "-o", peakFile, quietBackup, "memoryblog", "secret", folder.native().string()};
  std::vector<std::string> environment = ChildEnvironment(proxy);
  std::vector<char*> argv = Pointers(arguments);
  std::vector<char*> envp = Pointers(environment);

  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (::posix_spawn(&child, kGnuTime, nullptr, nullptr, argv.data(), envp.data()) != 0) {
    std::fprintf(stderr, "  cannot start %s\n", kGnuTime);
    return figure;
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  figure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figure.completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  std::ifstream(peakFile) >> figure.peakKilobytes;
  std::fprintf(stderr, "  %d posts on %d list pages: peak %ld KB in %.1f s%s\n", figure.posts,
               figure.listPages, figure.peakKilobytes, figure.seconds,
               figure.completed ? "" : " (the run did not complete)");
  simulator.Stop();
  return figure;
}

}  // namespace plimo::bench

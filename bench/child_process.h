// Runs another program as a reference beside a bench (cat, bd_list_titles,
// mirdal-cli) and measures it the way the bench measures our own work: wall
// time from fork to exit, the child's CPU time and its peak resident memory
// from wait4, so that the two figures can be set side by side as a ratio.
#pragma once

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace mirdal::bench {

struct ChildCost {
  bool ok = false;        // started and exited with status 0
  int exitCode = -1;      // -1: did not start or ended by a signal
  double wallSeconds = 0;
  double cpuSeconds = 0;  // user + system
  long maxRssKB = 0;
};

// Whether `program` is found in PATH (or is a path that exists).
inline bool haveProgram(const std::string& program) {
  if (program.find('/') != std::string::npos) return ::access(program.c_str(), X_OK) == 0;
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs argv with standard output and error going to /dev/null (or to
// `output` when given).
inline ChildCost runChild(const std::vector<std::string>& argv, const std::string& output = "/dev/null") {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  ChildCost cost;
  const auto t0 = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int started = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return cost;
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) return cost;
  cost.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
  cost.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  cost.maxRssKB = usage.ru_maxrss;
  if (WIFEXITED(status)) cost.exitCode = WEXITSTATUS(status);
  cost.ok = cost.exitCode == 0;
  return cost;
}

// The CPU time of the calling thread, which other work on a shared machine
// does not stretch.
inline double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

inline double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace mirdal::bench

// Runs the built mirdal-cli and captures what it prints.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace mirdal::test {

struct CliResult {
  int exitCode = -1;
  std::string out;  // standard output and standard error, in order
};

inline std::string shellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// args are passed to the shell already quoted by the caller where needed;
// use shellQuote for paths.
inline CliResult runCli(const std::string& args) {
  CliResult r;
  const std::string cmd = std::string(MIRDAL_CLI) + " " + args + " 2>&1";
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf{};
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int status = ::pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// The sample disc's menu, the input of many command tests.
inline const std::string kSampleMenu = std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/menu/sample.mnu";

}  // namespace mirdal::test

#include "app/info_options.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "core/gui_usage.h"
#include "core/version.h"

namespace mirdal::gui {

namespace {

// Each entry's text wrapped at 79 columns, beside its name or below it.
void printEntries(const char* heading, const auto& entries) {
  constexpr std::size_t kIndent = 17, kWidth = 79;
  std::printf("\n%s\n", heading);
  for (const UsageEntry& e : entries) {
    std::string line = "  " + std::string(e.name);
    line.resize(kIndent, ' ');
    std::size_t used = kIndent;
    std::string_view rest = e.text;
    while (!rest.empty()) {
      const std::size_t space = rest.find(' ');
      const std::string_view word = rest.substr(0, space);
      if (used > kIndent && used + 1 + word.size() > kWidth) {
        line += "\n" + std::string(kIndent, ' ');
        used = kIndent;
      } else if (used > kIndent) {
        line += ' ';
        ++used;
      }
      line += word;
      used += word.size();
      rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    std::printf("%s\n", line.c_str());
  }
}

}  // namespace

int answerInfoOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--version") {
      std::printf("mirdal %s\n", kBuildVersion);
      return 0;
    }
    if (a == "-h" || a == "--help") {
      std::printf("Usage: %s\nMirdal: %s.\n", kGuiSynopsis, kGuiSummary);
      printEntries("Arguments:", kGuiArguments);
      printEntries("Options:", kGuiOptions);
      std::printf("\nScripts use mirdal-cli (mirdal-cli --help); the manual pages are mirdal(1) and mirdal-cli(1).\n");
      return 0;
    }
  }
  return -1;
}

}  // namespace mirdal::gui

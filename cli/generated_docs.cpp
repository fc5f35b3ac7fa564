#include "cli/generated_docs.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "cli/completion_script.h"
#include "cli/man_page.h"

namespace mirdal::cli {

int writeGeneratedDocument(const CLI::App& app, const char* kind, const char* file) {
  const std::string_view k = kind;
  std::string text;
  std::vector<std::string> unknown;
  if (k == "man") text = cliManPage(app);
  else if (k == "gui-man") text = guiManPage();
  else if (k == "bash") text = bashCompletion(app, unknown);
  else {
    std::fprintf(stderr, "mirdal-cli: --generate takes man, gui-man or bash, not '%s'\n", kind);
    return kUsage;
  }
  // Such an argument completes as any file; the packaging tests fail on
  // this warning, so that a new argument gets its row.
  for (const std::string& u : unknown)
    std::fprintf(stderr, "mirdal-cli: warning: no completion kind for %s (cli/completion_script.cpp)\n", u.c_str());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::fprintf(stderr, "mirdal-cli: cannot write %s\n", file);
    return kFailed;
  }
  return kOk;
}

}  // namespace mirdal::cli

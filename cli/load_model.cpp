#include "cli/load_model.h"

#include <unistd.h>

#include <cstdio>

#include "cli/cli_reporter.h"

namespace mirdal::cli {

void CaptureReporter::replayToStderr() const {
  CliReporter err(stderr, ::isatty(fileno(stderr)) != 0, false);
  for (const LogParagraph& p : paragraphs) err.appendParagraph(p);
}

LoadedModel loadModel(const std::string& path) {
  LoadedModel m;
  Bytes data;
  std::string error;
  if (!readFileBytes(path, data, &error)) {
    std::fprintf(stderr, "mirdal-cli: cannot read %s (%s)\n", path.c_str(), error.c_str());
    return m;
  }
  m.kind = detectFileKind(data);
  switch (m.kind) {
    case FileKind::Index:
      m.status = readIndexFile(path, m.index).status;
      break;
    case FileKind::MovieObject:
      m.status = readMovieObjectFile(path, m.mobj).status;
      break;
    case FileKind::BDJObject:
      m.status = readBDJOFile(path, fileNameOf(path), m.bdjo);
      if (m.status == ReadStatus::Rejected)
        std::fprintf(stderr, "mirdal-cli: %s: not a BD-J object of version 0100 or 0200\n", path.c_str());
      break;
    case FileKind::Unknown:
      std::fprintf(stderr, "mirdal-cli: %s: not an index, movie object or BD-J object file\n", path.c_str());
      break;
  }
  return m;
}

}  // namespace mirdal::cli

#include "cli/program_import_cli.h"

#include <cstdio>

#include "cli/file_kinds.h"
#include "cli/sound_file.h"
#include "documents/program_import.h"
#include "nav/program_text.h"

namespace mirdal::cli {

namespace {

// A missing or unreadable list is wrong input.
std::string readProgramFile(const std::string& path) {
  requireInputFile(path);
  Bytes bytes;
  std::string error;
  if (!readFileBytes(path, bytes, &error)) throw InputError{"cannot read " + path + " (" + error + ")"};
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

CLI::App* addProgramImport(CLI::App& program, CliContext& ctx) {
  auto* cmd = program.add_subcommand(
      "import", "Replace a movie object's program by a program list (.lst) or command lines, or insert them");
  struct Args {
    std::string path, object, list, output;
    std::optional<std::size_t> insertAt;
  };
  auto a = std::make_shared<Args>();
  cmd->add_option("file", a->path, "The MovieObject.bdmv file")->required();
  cmd->add_option("object", a->object, "The movie object's number (from 0)")->required();
  cmd->add_option("list", a->list, "The program list or a text file of command lines")->required();
  cmd->add_option("--insert-at", a->insertAt,
                  "Insert the lines so that the first becomes this line (from 0) instead of replacing the program");
  cmd->add_option("-o,--output", a->output, "The MovieObject.bdmv file to write")->required();
  cmd->callback([&ctx, a] {
    const std::size_t object = objectArgument(a->object);
    requireInputFile(a->path);
    const ProgramText text = assembleProgram(readProgramFile(a->list));
    if (text.error) throw InputError{fileNameOf(a->list) + ": " + text.error->message()};

    CaptureReporter capture;
    MovieObjectFile m;
    MovieObjectsParse parsed;
    {
      parsed = readMovieObjectFile(a->path, m, capture);
    }
    if (parsed.status != ReadStatus::Ok || capture.errors != 0) {
      // A file read only in part or with errors is not written back.
      capture.replayToStderr();
      ctx.exitCode = kFailed;
      return;
    }
    capture.replayDiagnostics();
    const std::size_t count = m.movieObjects.objects.size();
    if (object >= count) throw InputError{noSuchObjectMessage(fileNameOf(a->path), count, object)};

    Document<MovieObjectFile> doc("movie objects");
    doc.load(std::move(m), fileNameOf(a->path), true);
    const ProgramImport r = importObjectProgram(doc, object, text.commands, a->insertAt);
    if (!r.done) throw InputError{"object " + a->object + ": " + r.refusal};
    std::printf("Object %zu: %zu commands %s, the program holds %zu\n", object, text.commands.size(),
                a->insertAt ? ("inserted at line " + std::to_string(*a->insertAt)).c_str() : "imported",
                doc.model().movieObjects.objects[object].commands.size());
    ctx.exitCode = saveMovieObjects(doc.model(), outputRequest(a->output), *ctx.messages) ? kOk : kFailed;
  });
  return cmd;
}

}  // namespace mirdal::cli

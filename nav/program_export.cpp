#include "nav/program_export.h"

#include <cctype>

#include "core/display_text.h"
#include "core/report.h"
#include "core/save.h"
#include "nav/command_text.h"

namespace mirdal {

std::string programListLine(const NavCommand& c, std::size_t line, CommandContext context) {
  const CommandRow r = commandRow(c, line, context);
  return r.cells[kColNo] + "  [" + r.cells[kColOpcode] + "," + r.cells[kColDst] + "," + r.cells[kColSrc] +
         "]  " + r.cells[kColLine];
}

std::string programList(const CommandList& program, CommandContext context) {
  const std::string rule = ";" + std::string(60, '-') + "\r\n";
  std::string out = rule + ";\r\n" + ";             MovieObject program list by Mirdal\r\n" + ";\r\n" + rule;
  for (std::size_t i = 0; i < program.size(); ++i) out += programListLine(program[i], i, context) + "\r\n";
  return out;
}

Bytes programBinary(const CommandList& program) {
  OutputBuffer out;
  for (const NavCommand& c : program) {
    out.addU32(c.opcode);
    out.addU32(c.dst);
    out.addU32(c.src);
  }
  out.flushAdded();
  return out.takeFile();
}

std::string programFileName(std::size_t objectIndex, bool binary) {
  return "program_" + zeroPadded(objectIndex, 3) + (binary ? ".bin" : ".lst");
}

bool saveProgram(const std::string& path, const CommandList& program, bool binary, Reporter& rep) {
  Bytes bytes;
  if (binary) {
    bytes = programBinary(program);
  } else {
    const std::string text = programList(program);
    bytes.assign(text.begin(), text.end());
  }
  std::string error;
  if (!writeFileAtomic(path, bytes, &error)) {
    rep.logError("Cannot write " + path + (error.empty() ? "" : ": " + error));
    return false;
  }
  return true;
}

bool binaryProgramFor(const std::string& fileName, bool binaryOption) {
  const std::size_t dot = fileName.find_last_of("./\\");
  std::string ext = dot != std::string::npos && fileName[dot] == '.' ? fileName.substr(dot + 1) : std::string();
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "bin") return true;
  if (ext == "lst") return false;
  return binaryOption;
}

}  // namespace mirdal

#include "formats/bdmv/movie_objects.h"

#include "core/report.h"
#include "formats/common/file_header.h"

namespace mirdal {

namespace {

// Exactly `width` bytes of a kept byte field, zero-padded or cut.
void putKept(OutputBuffer& o, const Bytes& b, std::size_t off, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) o.putU8(i < b.size() ? b[i] : 0, off + i);
}

}  // namespace

MovieObjectsParse parseMovieObjects(const Bytes& data, MovieObjectFile& out,
                                    const std::function<void(std::size_t, std::size_t)>& afterObject) {
  out = MovieObjectFile{};
  MovieObjectsParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "MOBJ");
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    return res;
  }
  out.typeIndicator = h.type;
  out.versionNumber = h.version;
  out.extensionDataStartAddress = r.readU32();
  out.reserved = r.readBytes(28);
  MovieObjects& mo = out.movieObjects;
  mo.length = r.readU32();
  mo.reserved = r.readU32();
  const std::uint16_t n = r.readU16();
  mo.objects.resize(n);

  bool complete = !r.overrun();
  for (std::size_t i = 0; i < n && complete; ++i) {
    MovieObject& ob = mo.objects[i];
    const std::uint16_t flags = r.readU16();
    ob.resumeIntentionFlag = (flags >> 15) & 1;
    ob.menuCallMask = (flags >> 14) & 1;
    ob.titleSearchMask = (flags >> 13) & 1;
    const std::uint16_t count = r.readU16();
    if (!r.overrun()) ++res.objectsRead;
    // The count is 16 bits, and commands are read only while the file
    // lasts, so at most one object holds commands that are not in it.
    ob.commands.resize(count);
    for (std::size_t c = 0; c < count; ++c) {
      NavCommand& cmd = ob.commands[c];
      cmd.opcode = r.readU32();
      cmd.dst = r.readU32();
      cmd.src = r.readU32();
      if (r.atEnd()) {
        if (c + 1 < count) complete = false;
        break;
      }
    }
    if (r.atEnd()) {
      if (i + 1 < n) complete = false;
      break;
    }
    if (afterObject) afterObject(r.pos(), data.size());
  }
  if (r.overrun()) complete = false;

  if (complete && out.extensionDataStartAddress != 0)
    complete = readExtensionData(r, out.extensionData);
  if (!complete) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composeMovieObjects(const MovieObjectFile& m) {
  OutputBuffer o;
  o.setBlock(40);
  o.putString(m.typeIndicator, 0, 4);
  o.putString(m.versionNumber, 4, 4);
  o.putU32(m.extensionDataStartAddress, 8);
  putKept(o, m.reserved, 12, 28);
  o.writeBlock();

  const MovieObjects& mo = m.movieObjects;
  o.setBlock(10);
  o.putU32(mo.length, 0);
  o.putU32(mo.reserved, 4);
  o.putU16(std::uint32_t(mo.objects.size()), 8);
  o.writeBlock();

  for (const MovieObject& ob : mo.objects) {
    o.setBlock(4 + 12 * ob.commands.size());
    const std::uint32_t flags =
        std::uint32_t((ob.resumeIntentionFlag & 1) * 4 + (ob.menuCallMask & 1) * 2 +
                      (ob.titleSearchMask & 1))
        << 13;
    o.putU16(flags, 0);
    o.putU16(std::uint32_t(ob.commands.size()), 2);
    for (std::size_t c = 0; c < ob.commands.size(); ++c) {
      o.putU32(ob.commands[c].opcode, 4 + 12 * c);
      o.putU32(ob.commands[c].dst, 8 + 12 * c);
      o.putU32(ob.commands[c].src, 12 + 12 * c);
    }
    o.writeBlock();
  }

  if (m.extensionDataStartAddress != 0) writeExtensionData(o, m.extensionData);
  return o.takeFile();
}

MovieObjectsParse readMovieObjectFile(const std::string& path, MovieObjectFile& m, Reporter& rep) {
  const std::string name = fileNameOf(path);
  Bytes data;
  if (!openDiscFile(path, name, data, rep)) {
    m = MovieObjectFile{};
    MovieObjectsParse res;
    res.status = ReadStatus::Unreadable;
    return res;
  }
  const MovieObjectsParse res = parseMovieObjects(data, m, [&rep](std::size_t pos, std::size_t size) {
    rep.setStatusPanel(std::to_string(pos) + "/" + std::to_string(size), 1);
  });
  if (res.status == ReadStatus::Rejected) {
    rep.logError("Format error " + name);
    return res;
  }
  if (res.status == ReadStatus::Truncated) reportEndsEarly(name, data.size(), rep);
  rep.log("  Found [b]" + std::to_string(m.movieObjects.objects.size()) + "[/b] objects, [b]" +
      std::to_string(m.extensionData.numberOfExtDataEntries) + "[/b] extended entry.");
  return res;
}

bool saveMovieObjects(const MovieObjectFile& m, const SaveRequest& req, Reporter& rep) {
  return saveDiscFile(req, composeMovieObjects(m), rep);
}

}  // namespace mirdal

#include "formats/movie_objects.h"

#include "core/report.h"
#include "formats/file_header.h"

namespace mirdal {

namespace {

// Exactly `width` bytes of a kept byte field, zero-padded or cut.
void putKept(OutputBuffer& o, const Bytes& b, std::size_t off, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) o.putbyte(i < b.size() ? b[i] : 0, off + i);
}

}  // namespace

MobjParse parseMovieObjects(const Bytes& data, TMOBJ& out,
                            const std::function<void(std::size_t, std::size_t)>& afterObject) {
  out = TMOBJ{};
  MobjParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "MOBJ");
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    return res;
  }
  out.type_indicator = h.type;
  out.version_number = h.version;
  out.ExtensionData_start_address = r.readlong();
  out.reserved = r.readbytes(28);
  TObjects& mo = out.movie_objects;
  mo.length = r.readlong();
  mo.reserved = r.readlong();
  const std::uint16_t n = r.readword();
  mo.objects.resize(n);

  bool complete = !r.overrun();
  for (std::size_t i = 0; i < n && complete; ++i) {
    Tmobject& ob = mo.objects[i];
    const std::uint16_t flags = r.readword();
    ob.resume_intention_flag = (flags >> 15) & 1;
    ob.menu_call_mask = (flags >> 14) & 1;
    ob.title_search_mask = (flags >> 13) & 1;
    const std::uint16_t count = r.readword();
    if (!r.overrun()) ++res.objectsRead;
    // The count is 16 bits, and commands are read only while the file
    // lasts, so at most one object holds commands that are not in it.
    ob.commands.resize(count);
    for (std::size_t c = 0; c < count; ++c) {
      TNavCommand& cmd = ob.commands[c];
      cmd.opcode = r.readlong();
      cmd.dst = r.readlong();
      cmd.src = r.readlong();
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

  if (complete && out.ExtensionData_start_address != 0)
    complete = ReadExtensionData(r, out.extension_data);
  if (!complete) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composeMovieObjects(const TMOBJ& m) {
  OutputBuffer o;
  o.setBlock(40);
  o.putstring(m.type_indicator, 0, 4);
  o.putstring(m.version_number, 4, 4);
  o.putlong(m.ExtensionData_start_address, 8);
  putKept(o, m.reserved, 12, 28);
  o.writeblock();

  const TObjects& mo = m.movie_objects;
  o.setBlock(10);
  o.putlong(mo.length, 0);
  o.putlong(mo.reserved, 4);
  o.putword(std::uint32_t(mo.objects.size()), 8);
  o.writeblock();

  for (const Tmobject& ob : mo.objects) {
    o.setBlock(4 + 12 * ob.commands.size());
    const std::uint32_t flags =
        std::uint32_t((ob.resume_intention_flag & 1) * 4 + (ob.menu_call_mask & 1) * 2 +
                      (ob.title_search_mask & 1))
        << 13;
    o.putword(flags, 0);
    o.putword(std::uint32_t(ob.commands.size()), 2);
    for (std::size_t c = 0; c < ob.commands.size(); ++c) {
      o.putlong(ob.commands[c].opcode, 4 + 12 * c);
      o.putlong(ob.commands[c].dst, 8 + 12 * c);
      o.putlong(ob.commands[c].src, 12 + 12 * c);
    }
    o.writeblock();
  }

  if (m.ExtensionData_start_address != 0) WriteExtensionData(o, m.extension_data);
  return o.takeFile();
}

MobjParse readMovieObjectFile(const std::string& path, TMOBJ& m) {
  const std::string name = fileNameOf(path);
  Bytes data;
  if (!openDiscFile(path, name, data)) {
    m = TMOBJ{};
    MobjParse res;
    res.status = ReadStatus::Unreadable;
    return res;
  }
  const MobjParse res = parseMovieObjects(data, m, [](std::size_t pos, std::size_t size) {
    slog(std::to_string(pos) + "/" + std::to_string(size), 1);
  });
  if (res.status == ReadStatus::Rejected) {
    erlog("Format error " + name);
    return res;
  }
  if (res.status == ReadStatus::Truncated) reportEndsEarly(name, data.size());
  log("  Found [b]" + std::to_string(m.movie_objects.objects.size()) + "[/b] objects, [b]" +
      std::to_string(m.extension_data.number_of_ext_data_entries) + "[/b] extended entry.");
  return res;
}

bool mobjsave(const TMOBJ& m, const SaveRequest& req, Reporter& rep) {
  return saveDiscFile(req, composeMovieObjects(m), rep);
}

}  // namespace mirdal

#include "formats/bdjo.h"

#include "core/report.h"
#include "formats/file_header.h"

namespace mirdal {

namespace {

// Whether an item that was just read lies wholly in the file.
bool inFile(const FieldReader& r) { return r.pos() <= r.size(); }

std::string lengthAndText(FieldReader& r) {
  const std::uint8_t n = r.readbyte();
  return r.readstring(n);
}

void readTerminalInfo(FieldReader& r, TTerminalInfo& t) {
  t.length = r.readlong();
  t.default_font_file_name = r.readstring(5);
  const std::uint8_t b = r.readbyte();
  t.initial_havi_configuration_id = std::uint8_t(b >> 4);
  t.menu_call_mask = (b >> 3) & 1;
  t.title_search_mask = (b >> 2) & 1;
  r.skip(4);
}

void readAppCacheInfo(FieldReader& r, TAppCacheInfo& c) {
  c.length = r.readlong();
  const std::uint8_t count = r.readbyte();
  r.skip(1);
  for (unsigned i = 0; i < count && !r.atEnd(); ++i) {
    TAppCacheEntry e;
    e.entry_type = r.readbyte();
    e.ref_to_name = r.readstring(5);
    e.language = r.readstring(3);
    r.skip(3);
    if (!inFile(r)) break;
    c.entries.push_back(e);
  }
}

void readPlayLists(FieldReader& r, TTableOfAccessiblePlayLists& p) {
  p.length = r.readlong();
  const std::uint16_t w = r.readword();
  const unsigned count = w >> 5;
  p.access_to_all_flag = (w >> 4) & 1;
  p.autostart_first_playlist_flag = (w >> 3) & 1;
  r.skip(2);
  for (unsigned i = 0; i < count && !r.atEnd(); ++i) {
    std::string name = r.readstring(5);
    r.skip(1);
    if (!inFile(r)) break;
    p.playlists.push_back(std::move(name));
  }
}

// Names: a 16-bit total length, then (language, length, text) items.
void readNames(FieldReader& r, std::vector<Tapplication_name>& names) {
  const std::size_t total = r.readword();
  const std::size_t end = r.pos() + total;
  while (r.pos() + 4 <= end && !r.atEnd()) {
    Tapplication_name nm;
    nm.language = r.readstring(3);
    const std::uint8_t n = r.readbyte();
    if (r.pos() + n > end) break;  // longer than what is left of the block
    nm.name = r.readstring(n);
    if (!inFile(r)) break;
    names.push_back(std::move(nm));
  }
  r.seek(end);
}

// Parameters: an 8-bit total length, then (length, text) items.
void readParameters(FieldReader& r, std::vector<std::string>& params) {
  const std::size_t total = r.readbyte();
  const std::size_t end = r.pos() + total;
  while (r.pos() + 1 <= end && !r.atEnd()) {
    const std::uint8_t n = r.readbyte();
    if (r.pos() + n > end) break;
    std::string p = r.readstring(n);
    if (!inFile(r)) break;
    params.push_back(std::move(p));
  }
  r.seek(end);
}

void readApplication(FieldReader& r, Tapplication& a) {
  a.control_code = r.readbyte();
  // The application type is the high 4 bits of its byte (1 for a disc's
  // own Xlets); the low 4 bits are reserved.
  a.application_type = std::uint8_t(r.readbyte() >> 4);
  a.organization_id = r.readlong();
  a.application_id = r.readword();
  a.descriptor_tag = r.readbyte();
  r.skip(1);
  a.descriptor_length = r.readlong();
  r.skip(4);
  const unsigned profiles = r.readword() >> 12;
  for (unsigned i = 0; i < profiles && !r.atEnd(); ++i) {
    TAppProfile p;
    p.profile = r.readword();
    p.major_version = r.readbyte();
    p.minor_version = r.readbyte();
    p.micro_version = r.readbyte();
    r.skip(1);
    if (!inFile(r)) break;
    a.profiles.push_back(p);
  }
  a.priority = r.readbyte();
  const std::uint8_t b = r.readbyte();
  // Binding is bits 7-6 and visibility bits 5-4 (0 to 3); masking the
  // visibility with 2 would lose its low bit.
  a.binding = std::uint8_t(b >> 6);
  a.visibility = std::uint8_t((b >> 4) & 3);
  readNames(r, a.names);
  r.alignEven();
  a.icon_locator = lengthAndText(r);
  r.alignEven();
  a.icon_flags = r.readword();
  a.base_directory = lengthAndText(r);
  r.alignEven();
  a.classpath_extension = lengthAndText(r);
  r.alignEven();
  a.initial_class_name = lengthAndText(r);
  r.alignEven();
  readParameters(r, a.parameters);
  r.alignEven();
}

void readApplications(FieldReader& r, TApplicationManagementTable& t) {
  t.length = r.readlong();
  const std::uint8_t count = r.readbyte();
  r.skip(1);
  for (unsigned i = 0; i < count && !r.atEnd(); ++i) {
    Tapplication a;
    readApplication(r, a);
    if (!inFile(r)) break;
    t.applications.push_back(std::move(a));
  }
}

}  // namespace

ReadStatus parseBDJO(const Bytes& data, TBDJO& out) {
  out = TBDJO{};
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "BDJO", kVersionsBeforeUltraHD);
  if (!h.accepted) return ReadStatus::Rejected;
  out.type_indicator = h.type;
  out.version_number = h.version;
  for (std::uint32_t& a : out.start_addresses) a = r.readlong();
  r.skip(16);
  readTerminalInfo(r, out.terminal_info);

  r.seek(out.start_addresses[1]);
  readAppCacheInfo(r, out.app_cache_info);
  r.seek(out.start_addresses[2]);
  readPlayLists(r, out.table_of_accessible_playlists);
  r.seek(out.start_addresses[3]);
  readApplications(r, out.application_management_table);
  r.seek(out.start_addresses[4]);
  out.key_interest_table = r.readlong();
  r.seek(out.start_addresses[5]);
  out.file_access_info.path_length = r.readword();
  out.file_access_info.directory_path = r.readstring(out.file_access_info.path_length);
  r.alignEven();
  return r.overrun() ? ReadStatus::Truncated : ReadStatus::Ok;
}

ReadStatus readBDJOFile(const std::string& path, const std::string& shownName, TBDJO& out) {
  out = TBDJO{};
  Bytes data;
  ReadStatus st = ReadStatus::Unreadable;
  if (openDiscFile(path, "[bl]" + shownName + "[/bl]", data)) {
    st = parseBDJO(data, out);
    if (st == ReadStatus::Truncated) reportEndsEarly(shownName, data.size());
  }
  slogR();
  // A wrong header stops silently, but an Ultra HD object deserves a word,
  // on the status line too since the user is on the BD-J page.
  if (st == ReadStatus::Rejected && noteUnsupportedVersion(data)) slog(kUltraHDNote, 1);
  return st;
}

}  // namespace mirdal

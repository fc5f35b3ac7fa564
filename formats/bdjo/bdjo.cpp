#include "formats/bdjo/bdjo.h"

#include "core/report.h"
#include "formats/common/file_header.h"

namespace mirdal {

namespace {

// Whether an item that was just read lies wholly in the file.
bool inFile(const FieldReader& r) { return r.pos() <= r.size(); }

std::string lengthAndText(FieldReader& r) {
  const std::uint8_t n = r.readU8();
  return r.readString(n);
}

void readTerminalInfo(FieldReader& r, TerminalInfo& t) {
  t.length = r.readU32();
  t.defaultFontFileName = r.readString(5);
  const std::uint8_t b = r.readU8();
  t.initialHaviConfigurationId = std::uint8_t(b >> 4);
  t.menuCallMask = (b >> 3) & 1;
  t.titleSearchMask = (b >> 2) & 1;
  r.skip(4);
}

void readAppCacheInfo(FieldReader& r, AppCacheInfo& c) {
  c.length = r.readU32();
  const std::uint8_t count = r.readU8();
  r.skip(1);
  for (unsigned i = 0; i < count && !r.atEnd(); ++i) {
    AppCacheEntry e;
    e.entryType = r.readU8();
    e.refToName = r.readString(5);
    e.language = r.readString(3);
    r.skip(3);
    if (!inFile(r)) break;
    c.entries.push_back(e);
  }
}

void readPlayLists(FieldReader& r, AccessiblePlayLists& p) {
  p.length = r.readU32();
  const std::uint16_t w = r.readU16();
  const unsigned count = w >> 5;
  p.accessToAllFlag = (w >> 4) & 1;
  p.autostartFirstPlaylistFlag = (w >> 3) & 1;
  r.skip(2);
  for (unsigned i = 0; i < count && !r.atEnd(); ++i) {
    std::string name = r.readString(5);
    r.skip(1);
    if (!inFile(r)) break;
    p.playlists.push_back(std::move(name));
  }
}

// Names: a 16-bit total length, then (language, length, text) items.
void readNames(FieldReader& r, std::vector<ApplicationName>& names) {
  const std::size_t total = r.readU16();
  const std::size_t end = r.pos() + total;
  while (r.pos() + 4 <= end && !r.atEnd()) {
    ApplicationName nm;
    nm.language = r.readString(3);
    const std::uint8_t n = r.readU8();
    if (r.pos() + n > end) break;  // longer than what is left of the block
    nm.name = r.readString(n);
    if (!inFile(r)) break;
    names.push_back(std::move(nm));
  }
  r.seek(end);
}

// Parameters: an 8-bit total length, then (length, text) items.
void readParameters(FieldReader& r, std::vector<std::string>& params) {
  const std::size_t total = r.readU8();
  const std::size_t end = r.pos() + total;
  while (r.pos() + 1 <= end && !r.atEnd()) {
    const std::uint8_t n = r.readU8();
    if (r.pos() + n > end) break;
    std::string p = r.readString(n);
    if (!inFile(r)) break;
    params.push_back(std::move(p));
  }
  r.seek(end);
}

void readApplication(FieldReader& r, Application& a) {
  a.controlCode = r.readU8();
  // The application type is the high 4 bits of its byte (1 for a disc's
  // own Xlets); the low 4 bits are reserved.
  a.applicationType = std::uint8_t(r.readU8() >> 4);
  a.organizationId = r.readU32();
  a.applicationId = r.readU16();
  a.descriptorTag = r.readU8();
  r.skip(1);
  a.descriptorLength = r.readU32();
  r.skip(4);
  const unsigned profiles = r.readU16() >> 12;
  for (unsigned i = 0; i < profiles && !r.atEnd(); ++i) {
    AppProfile p;
    p.profile = r.readU16();
    p.majorVersion = r.readU8();
    p.minorVersion = r.readU8();
    p.microVersion = r.readU8();
    r.skip(1);
    if (!inFile(r)) break;
    a.profiles.push_back(p);
  }
  a.priority = r.readU8();
  const std::uint8_t b = r.readU8();
  // Binding is bits 7-6 and visibility bits 5-4 (0 to 3); masking the
  // visibility with 2 would lose its low bit.
  a.binding = std::uint8_t(b >> 6);
  a.visibility = std::uint8_t((b >> 4) & 3);
  readNames(r, a.names);
  r.alignEven();
  a.iconLocator = lengthAndText(r);
  r.alignEven();
  a.iconFlags = r.readU16();
  a.baseDirectory = lengthAndText(r);
  r.alignEven();
  a.classpathExtension = lengthAndText(r);
  r.alignEven();
  a.initialClassName = lengthAndText(r);
  r.alignEven();
  readParameters(r, a.parameters);
  r.alignEven();
}

void readApplications(FieldReader& r, ApplicationManagementTable& t) {
  t.length = r.readU32();
  const std::uint8_t count = r.readU8();
  r.skip(1);
  for (unsigned i = 0; i < count && !r.atEnd(); ++i) {
    Application a;
    readApplication(r, a);
    if (!inFile(r)) break;
    t.applications.push_back(std::move(a));
  }
}

}  // namespace

ReadStatus parseBdjo(const Bytes& data, BdjoFile& out) {
  out = BdjoFile{};
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "BDJO", kVersionsBeforeUltraHD);
  if (!h.accepted) return ReadStatus::Rejected;
  out.typeIndicator = h.type;
  out.versionNumber = h.version;
  for (std::uint32_t& a : out.startAddresses) a = r.readU32();
  r.skip(16);
  readTerminalInfo(r, out.terminalInfo);

  r.seek(out.startAddresses[1]);
  readAppCacheInfo(r, out.appCacheInfo);
  r.seek(out.startAddresses[2]);
  readPlayLists(r, out.tableOfAccessiblePlaylists);
  r.seek(out.startAddresses[3]);
  readApplications(r, out.applicationManagementTable);
  r.seek(out.startAddresses[4]);
  out.keyInterestTable = r.readU32();
  r.seek(out.startAddresses[5]);
  out.fileAccessInfo.pathLength = r.readU16();
  out.fileAccessInfo.directoryPath = r.readString(out.fileAccessInfo.pathLength);
  r.alignEven();
  return r.overrun() ? ReadStatus::Truncated : ReadStatus::Ok;
}

ReadStatus readBdjoFile(const std::string& path, const std::string& shownName, BdjoFile& out, Reporter& rep) {
  out = BdjoFile{};
  Bytes data;
  ReadStatus st = ReadStatus::Unreadable;
  if (openDiscFile(path, "[bl]" + shownName + "[/bl]", data, rep)) {
    st = parseBdjo(data, out);
    if (st == ReadStatus::Truncated) reportEndsEarly(shownName, data.size(), rep);
  }
  rep.setStatusReady();
  // A wrong header stops silently, but an Ultra HD object deserves a word,
  // on the status line too since the user is on the BD-J page.
  if (st == ReadStatus::Rejected && noteUnsupportedVersion(data, rep)) rep.setStatusPanel(kUltraHdNote, 1);
  return st;
}

}  // namespace mirdal

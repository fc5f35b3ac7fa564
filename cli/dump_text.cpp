#include "cli/dump_text.h"

#include "cli/text_table.h"
#include "present/bdjo_rows.h"
#include "formats/bdmv/bdmv_edit.h"
#include "present/bdmv_rows.h"
#include "core/display_text.h"
#include "formats/common/ext_data_edit.h"
#include "present/hdr_text.h"
#include "nav/program_export.h"
#include "present/bdmv_rules.h"

namespace mirdal::cli {

namespace {


std::string header(const std::string& name, const std::string& type, const std::string& version) {
  return name + ": " + type + " version " + version + "\n";
}

std::string entryText(const IndexEntry& e, bool withPlaybackType) {
  if (!entryIsOn(e)) return "off";
  std::string s = "on  " + std::string(kObjectTypeItems[objectTypeItem(e.objectType)]);
  if (withPlaybackType && namesMovieObject(e.objectType)) {
    const int item = playbackTypeItem(e.playbackType);
    s += "  " + std::string(item >= 0 ? kPlaybackTypeItems[std::size_t(item)] : "");
  }
  if (namesMovieObject(e.objectType)) return s + "  object " + std::to_string(e.movieObjectReference);
  return s + "  " + e.bdjObjectName;
}

std::string extensionDataText(const ExtensionData& ed) {
  std::string out = "ExtensionData: " + extensionDataCaption(ed) + "\n";
  if (ed.entries.empty()) return out;
  TextTable t(kExtDataColumns);
  for (std::size_t i = 0; i < ed.entries.size(); ++i) t.add(extDataRow(ed, i));
  return out + t.text("  ");
}

}  // namespace

std::string commandLine(std::size_t line, const NavCommand& c) {
  return programListLine(c, line);
}

std::string dumpIndexText(const IndexFile& idx, const std::string& name) {
  std::string out = header(name, idx.typeIndicator, idx.versionNumber);
  out += "Content: " + idx.contentProviderData + "\n";
  if (idx.versionNumber == "0300") out += appInfoLine(idx) + "\n";
  if (const std::string uhd = ultraHdLine(idx); !uhd.empty()) out += uhd + "\n";
  out += "First Playback: " + entryText(idx.indexes.firstPlayback, true) + "\n";
  out += "Top Menu: " + entryText(idx.indexes.topMenu, false) + "\n";
  out += titleCounter(idx) + "\n";
  TextTable t(kTitleColumns);
  for (std::size_t i = 0; i < idx.indexes.titles.size(); ++i) t.add(titleRow(idx, i));
  out += t.text();
  return out + extensionDataText(idx.extensionData);
}

std::string dumpMovieObjectsText(const MovieObjectFile& m, const std::string& name) {
  std::string out = header(name, m.typeIndicator, m.versionNumber);
  out += objectCounter(m) + "\n";
  TextTable t(kObjectColumns);
  const auto& objects = m.movieObjects.objects;
  for (std::size_t i = 0; i < objects.size(); ++i) t.add(objectRow(m, i));
  out += t.text();
  out += extensionDataText(m.extensionData);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (objects[i].commands.empty()) continue;
    out += "\nObject " + zeroPadded(i, 3) + ":\n";
    for (std::size_t c = 0; c < objects[i].commands.size(); ++c)
      out += "  " + commandLine(c, objects[i].commands[c]) + "\n";
  }
  return out;
}

std::string dumpBdjoText(const BdjoFile& b, const std::string& name) {
  std::string out = header(name, b.typeIndicator, b.versionNumber);
  const TerminalInfo& ti = b.terminalInfo;
  out += "TerminalInfo: Default font " + ti.defaultFontFileName + ", Initial HAVi configuration id " +
         haviConfigurationText(b) + ", Menu call mask " + yesNo(ti.menuCallMask) + ", Title search mask " +
         yesNo(ti.titleSearchMask) + "\n";

  out += "AppCacheInfo:\n";
  TextTable cache(kAppCacheColumns);
  for (std::size_t i = 0; i < b.appCacheInfo.entries.size(); ++i) cache.add(appCacheRow(b, i));
  out += cache.text("  ");

  const AccessiblePlayLists& pl = b.tableOfAccessiblePlaylists;
  out += "TableOfAccessiblePlayLists: Acces to all " + yesNo(pl.accessToAllFlag) + ", Autostart first PL " +
         yesNo(pl.autostartFirstPlaylistFlag) + "\n";
  TextTable lists(kAccessiblePlayListColumns);
  for (std::size_t i = 0; i < pl.playlists.size(); ++i) lists.add(accessiblePlayListRow(b, i));
  out += lists.text("  ");

  out += "ApplicationManagementTable:\n";
  TextTable apps(kApplicationColumns);
  const auto& applications = b.applicationManagementTable.applications;
  for (std::size_t i = 0; i < applications.size(); ++i) apps.add(applicationRow(b, i));
  out += apps.text("  ");
  for (std::size_t i = 0; i < applications.size(); ++i) {
    const Application& a = applications[i];
    out += "Application " + std::to_string(i) + ":\n";
    TextTable profiles(kProfileHeaders), names(kNameHeaders), params(kParameterHeaders);
    for (std::size_t k = 0; k < a.profiles.size(); ++k) profiles.add(profileRow(a, k));
    for (std::size_t k = 0; k < a.names.size(); ++k) names.add(nameRow(a, k));
    for (std::size_t k = 0; k < a.parameters.size(); ++k) params.add(parameterRow(a, k));
    out += profiles.text("  ") + names.text("  ") + params.text("  ");
  }

  out += "KeyInterestTable:";
  for (std::size_t i = 0; i < kKeyInterestCount; ++i)
    if (keyInterest(b.keyInterestTable, i)) out += std::string(" ") + kKeyInterestCaptions[i];
  out += "\nFileAccesInfo: Directory Path: " + b.fileAccessInfo.directoryPath + "\n";
  return out;
}

}  // namespace mirdal::cli

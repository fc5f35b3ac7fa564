#include "cli/dump_text.h"

#include "cli/text_table.h"
#include "present/bdjo_rows.h"
#include "formats/bdmv_edit.h"
#include "present/bdmv_rows.h"
#include "core/display_text.h"
#include "formats/ext_data_edit.h"
#include "formats/hdr_text.h"
#include "nav/program_export.h"
#include "present/bdmv_rules.h"

namespace mirdal::cli {

namespace {


std::string header(const std::string& name, const std::string& type, const std::string& version) {
  return name + ": " + type + " version " + version + "\n";
}

std::string entryText(const TIndexEntry& e, bool withPlaybackType) {
  if (!entryIsOn(e)) return "off";
  std::string s = "on  " + std::string(kObjectTypeItems[objectTypeItem(e.object_type)]);
  if (withPlaybackType && namesMovieObject(e.object_type)) {
    const int item = playbackTypeItem(e.playback_type);
    s += "  " + std::string(item >= 0 ? kPlaybackTypeItems[std::size_t(item)] : "");
  }
  if (namesMovieObject(e.object_type)) return s + "  object " + std::to_string(e.movie_object_reference);
  return s + "  " + e.bdj_object_name;
}

std::string extensionDataText(const TExtensionData& ed) {
  std::string out = "ExtensionData: " + ExtDatCap(ed) + "\n";
  if (ed.entries.empty()) return out;
  TextTable t(kExtDataColumns);
  for (std::size_t i = 0; i < ed.entries.size(); ++i) t.add(extDataRow(ed, i));
  return out + t.text("  ");
}

}  // namespace

std::string commandLine(std::size_t line, const TNavCommand& c) {
  return programListLine(c, line);
}

std::string dumpIndexText(const TINDX& idx, const std::string& name) {
  std::string out = header(name, idx.type_indicator, idx.version_number);
  out += "Content: " + idx.content_provider_data + "\n";
  if (idx.version_number == "0300") out += appInfoLine(idx) + "\n";
  if (const std::string uhd = ultraHdLine(idx); !uhd.empty()) out += uhd + "\n";
  out += "First Playback: " + entryText(idx.indexes.first_playback, true) + "\n";
  out += "Top Menu: " + entryText(idx.indexes.top_menu, false) + "\n";
  out += titleCounter(idx) + "\n";
  TextTable t(kTitleColumns);
  for (std::size_t i = 0; i < idx.indexes.titles.size(); ++i) t.add(indline(idx, i));
  out += t.text();
  return out + extensionDataText(idx.extension_data);
}

std::string dumpMovieObjectsText(const TMOBJ& m, const std::string& name) {
  std::string out = header(name, m.type_indicator, m.version_number);
  out += objectCounter(m) + "\n";
  TextTable t(kObjectColumns);
  const auto& objects = m.movie_objects.objects;
  for (std::size_t i = 0; i < objects.size(); ++i) t.add(objline(m, i));
  out += t.text();
  out += extensionDataText(m.extension_data);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (objects[i].commands.empty()) continue;
    out += "\nObject " + zeroPadded(i, 3) + ":\n";
    for (std::size_t c = 0; c < objects[i].commands.size(); ++c)
      out += "  " + commandLine(c, objects[i].commands[c]) + "\n";
  }
  return out;
}

std::string dumpBDJOText(const TBDJO& b, const std::string& name) {
  std::string out = header(name, b.type_indicator, b.version_number);
  const TTerminalInfo& ti = b.terminal_info;
  out += "TerminalInfo: Default font " + ti.default_font_file_name + ", Initial HAVi configuration id " +
         haviConfigurationText(b) + ", Menu call mask " + yesNo(ti.menu_call_mask) + ", Title search mask " +
         yesNo(ti.title_search_mask) + "\n";

  out += "AppCacheInfo:\n";
  TextTable cache(kAppCacheColumns);
  for (std::size_t i = 0; i < b.app_cache_info.entries.size(); ++i) cache.add(appCacheRow(b, i));
  out += cache.text("  ");

  const TTableOfAccessiblePlayLists& pl = b.table_of_accessible_playlists;
  out += "TableOfAccessiblePlayLists: Acces to all " + yesNo(pl.access_to_all_flag) + ", Autostart first PL " +
         yesNo(pl.autostart_first_playlist_flag) + "\n";
  TextTable lists(kAccessiblePlayListColumns);
  for (std::size_t i = 0; i < pl.playlists.size(); ++i) lists.add(accessiblePlayListRow(b, i));
  out += lists.text("  ");

  out += "ApplicationManagementTable:\n";
  TextTable apps(kApplicationColumns);
  const auto& applications = b.application_management_table.applications;
  for (std::size_t i = 0; i < applications.size(); ++i) apps.add(applicationRow(b, i));
  out += apps.text("  ");
  for (std::size_t i = 0; i < applications.size(); ++i) {
    const Tapplication& a = applications[i];
    out += "Application " + std::to_string(i) + ":\n";
    TextTable profiles(kProfileHeaders), names(kNameHeaders), params(kParameterHeaders);
    for (std::size_t k = 0; k < a.profiles.size(); ++k) profiles.add(profileRow(a, k));
    for (std::size_t k = 0; k < a.names.size(); ++k) names.add(nameRow(a, k));
    for (std::size_t k = 0; k < a.parameters.size(); ++k) params.add(parameterRow(a, k));
    out += profiles.text("  ") + names.text("  ") + params.text("  ");
  }

  out += "KeyInterestTable:";
  for (std::size_t i = 0; i < kKeyInterestCount; ++i)
    if (keyInterest(b.key_interest_table, i)) out += std::string(" ") + kKeyInterestCaptions[i];
  out += "\nFileAccesInfo: Directory Path: " + b.file_access_info.directory_path + "\n";
  return out;
}

}  // namespace mirdal::cli

#include "cli/json_model.h"

#include "core/display_text.h"
#include "formats/bdmv/index_app_info.h"

namespace mirdal::cli {

using nlohmann::json;

std::string latin1ToUtf8(const std::string& latin1) {
  std::string out;
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out.push_back(char(c));
    } else {
      out.push_back(char(0xC0 | (c >> 6)));
      out.push_back(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

nlohmann::json jsonDocument(const char* kind, nlohmann::json body) {
  body["kind"] = kind;
  body["format_version"] = kJsonFormatVersion;
  return body;
}

std::string hexBytes(const Bytes& b) {
  std::string s;
  for (std::uint8_t v : b) s += hexText(v, 2);
  return s;
}

namespace {

std::string text(const std::string& latin1) { return latin1ToUtf8(latin1); }

json entryJson(const IndexEntry& e) {
  return {{"object_type", e.objectType},
          {"playback_type", e.playbackType},
          {"movie_object_reference", e.movieObjectReference},
          {"bdj_object_name", text(e.bdjObjectName)}};
}

json appInfoJson(const IndexFile& idx) {
  const AppInfoBdmv a = appInfoFields(idx);
  return {{"initial_output_mode_preference", a.initialOutputModePreference},
          {"ss_content_exist_flag", a.content3DExists},
          {"initial_dynamic_range_type", a.initialDynamicRangeType},
          {"video_format", a.videoFormat},
          {"frame_rate", a.frameRate}};
}

json ultraHdJson(const IndexFile& idx) {
  const std::optional<UltraHdInfo> u = ultraHdInfo(idx);
  if (!u) return nullptr;
  return {{"disc_type", u->discType},
          {"exist_4k_flag", u->exist4KFlag},
          {"hdr_flags", u->hdrFlags},
          {"hdr_plus_flag", u->hdrPlusFlag},
          {"dolby_vision_flag", u->dolbyVisionFlag}};
}

}  // namespace

json toJson(const ExtensionData& ed) {
  json entries = json::array();
  for (const ExtensionDataEntry& e : ed.entries) {
    entries.push_back({{"id1", e.id1},
                       {"id2", e.id2},
                       {"ext_data_start_address", e.extDataStartAddress},
                       {"ext_data_length", e.extDataLength}});
  }
  return {{"length", ed.length},
          {"data_block_start_address", ed.dataBlockStartAddress},
          {"number_of_ext_data_entries", ed.numberOfExtDataEntries},
          {"entries", entries},
          {"data", hexBytes(ed.data)}};
}

json toJson(const IndexFile& idx) {
  json titles = json::array();
  for (const IndexTitle& t : idx.indexes.titles) {
    titles.push_back({{"title_number", t.titleNumber},
                      {"object_type", t.objectType},
                      {"access_type", t.accessType},
                      {"playback_type", t.playbackType},
                      {"movie_object_reference", t.movieObjectReference},
                      {"bdj_object_name", text(t.bdjObjectName)}});
  }
  return {{"type_indicator", text(idx.typeIndicator)},
          {"version_number", text(idx.versionNumber)},
          {"indexes_start_address", idx.indexesStartAddress},
          {"extension_data_start_address", idx.extensionDataStartAddress},
          {"reserved", hexBytes(idx.reserved)},
          {"app_info_bdmv_length", idx.appInfoBdmvLength},
          {"app_info_bdmv_flags", idx.appInfoBdmvFlags},
          {"content_provider_data", text(idx.contentProviderData)},
          {"app_info_bdmv", appInfoJson(idx)},
          {"ultra_hd", ultraHdJson(idx)},
          {"indexes_gap", hexBytes(idx.indexesGap)},
          {"indexes",
           {{"length", idx.indexes.length},
            {"first_playback", entryJson(idx.indexes.firstPlayback)},
            {"top_menu", entryJson(idx.indexes.topMenu)},
            {"number_of_titles", idx.indexes.titles.size()},
            {"titles", titles}}},
          {"extension_data", toJson(idx.extensionData)}};
}

json toJson(const MovieObjectFile& m) {
  json objects = json::array();
  for (const MovieObject& o : m.movieObjects.objects) {
    json commands = json::array();
    for (const NavCommand& c : o.commands) commands.push_back({{"opcode", c.opcode}, {"dst", c.dst}, {"src", c.src}});
    objects.push_back({{"resume_intention_flag", o.resumeIntentionFlag},
                       {"menu_call_mask", o.menuCallMask},
                       {"title_search_mask", o.titleSearchMask},
                       {"number_of_navigation_commands", o.commands.size()},
                       {"commands", commands}});
  }
  return {{"type_indicator", text(m.typeIndicator)},
          {"version_number", text(m.versionNumber)},
          {"extension_data_start_address", m.extensionDataStartAddress},
          {"reserved", hexBytes(m.reserved)},
          {"movie_objects",
           {{"length", m.movieObjects.length},
            {"reserved", m.movieObjects.reserved},
            {"number_of_movie_objects", m.movieObjects.objects.size()},
            {"objects", objects}}},
          {"extension_data", toJson(m.extensionData)}};
}

json toJson(const BdjoFile& b) {
  const TerminalInfo& ti = b.terminalInfo;
  json cache = json::array();
  for (const AppCacheEntry& e : b.appCacheInfo.entries)
    cache.push_back({{"entry_type", e.entryType}, {"ref_to_name", text(e.refToName)}, {"language", text(e.language)}});
  json playlists = json::array();
  for (const std::string& p : b.tableOfAccessiblePlaylists.playlists) playlists.push_back(text(p));
  json apps = json::array();
  for (const Application& a : b.applicationManagementTable.applications) {
    json profiles = json::array(), names = json::array(), params = json::array();
    for (const AppProfile& p : a.profiles)
      profiles.push_back({{"profile", p.profile},
                          {"major_version", p.majorVersion},
                          {"minor_version", p.minorVersion},
                          {"micro_version", p.microVersion}});
    for (const ApplicationName& n : a.names) names.push_back({{"language", text(n.language)}, {"name", text(n.name)}});
    for (const std::string& p : a.parameters) params.push_back(text(p));
    apps.push_back({{"control_code", a.controlCode},
                    {"application_type", a.applicationType},
                    {"organization_id", a.organizationId},
                    {"application_id", a.applicationId},
                    {"descriptor_tag", a.descriptorTag},
                    {"descriptor_length", a.descriptorLength},
                    {"profiles", profiles},
                    {"priority", a.priority},
                    {"binding", a.binding},
                    {"visibility", a.visibility},
                    {"names", names},
                    {"icon_locator", text(a.iconLocator)},
                    {"icon_flags", a.iconFlags},
                    {"base_directory", text(a.baseDirectory)},
                    {"classpath_extension", text(a.classpathExtension)},
                    {"initial_class_name", text(a.initialClassName)},
                    {"parameters", params}});
  }
  json keys = json::array();
  for (std::size_t i = 0; i < kKeyInterestCount; ++i)
    if (keyInterest(b.keyInterestTable, i)) keys.push_back(kKeyInterestCaptions[i]);
  return {{"type_indicator", text(b.typeIndicator)},
          {"version_number", text(b.versionNumber)},
          {"start_addresses", b.startAddresses},
          {"terminal_info",
           {{"length", ti.length},
            {"default_font_file_name", text(ti.defaultFontFileName)},
            {"menu_call_mask", ti.menuCallMask},
            {"title_search_mask", ti.titleSearchMask},
            {"initial_havi_configuration_id", ti.initialHaviConfigurationId}}},
          {"app_cache_info", {{"length", b.appCacheInfo.length}, {"entries", cache}}},
          {"table_of_accessible_playlists",
           {{"length", b.tableOfAccessiblePlaylists.length},
            {"access_to_all_flag", b.tableOfAccessiblePlaylists.accessToAllFlag},
            {"autostart_first_playlist_flag", b.tableOfAccessiblePlaylists.autostartFirstPlaylistFlag},
            {"playlists", playlists}}},
          {"application_management_table",
           {{"length", b.applicationManagementTable.length}, {"applications", apps}}},
          {"key_interest_table", b.keyInterestTable},
          {"key_interest", keys},
          {"file_access_info",
           {{"path_length", b.fileAccessInfo.pathLength},
            {"directory_path", text(b.fileAccessInfo.directoryPath)}}}};
}

nlohmann::json registersJson(const Registers& regs) {
  nlohmann::json psr = nlohmann::json::array();
  for (std::uint32_t v : regs.psr) psr.push_back(v);
  // The GPRs that are not 0, as the "GPRs" button lists them.
  nlohmann::json gpr = nlohmann::json::array();
  for (std::size_t n = 0; n < regs.gpr.size(); ++n)
    if (regs.gpr[n]) gpr.push_back({{"number", n}, {"value", regs.gpr[n]}});
  return {{"psr", psr}, {"gpr", gpr}};
}

}  // namespace mirdal::cli

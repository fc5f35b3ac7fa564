#include "cli/json_model.h"

#include "core/display_text.h"
#include "formats/index_app_info.h"

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

namespace {

std::string text(const std::string& latin1) { return latin1ToUtf8(latin1); }

std::string hexBytes(const Bytes& b) {
  std::string s;
  for (std::uint8_t v : b) s += hexText(v, 2);
  return s;
}

json entryJson(const TIndexEntry& e) {
  return {{"object_type", e.object_type},
          {"playback_type", e.playback_type},
          {"movie_object_reference", e.movie_object_reference},
          {"bdj_object_name", text(e.bdj_object_name)}};
}

json appInfoJson(const TINDX& idx) {
  const AppInfoBdmv a = appInfoFields(idx);
  return {{"initial_output_mode_preference", a.initialOutputModePreference},
          {"ss_content_exist_flag", a.content3DExists},
          {"initial_dynamic_range_type", a.initialDynamicRangeType},
          {"video_format", a.videoFormat},
          {"frame_rate", a.frameRate}};
}

json ultraHdJson(const TINDX& idx) {
  const std::optional<UltraHdInfo> u = ultraHdInfo(idx);
  if (!u) return nullptr;
  return {{"disc_type", u->discType},
          {"exist_4k_flag", u->exist4KFlag},
          {"hdr_flags", u->hdrFlags},
          {"hdr_plus_flag", u->hdrPlusFlag},
          {"dolby_vision_flag", u->dolbyVisionFlag}};
}

}  // namespace

json toJson(const TExtensionData& ed) {
  json entries = json::array();
  for (const TExtensionDataEntry& e : ed.entries) {
    entries.push_back({{"id1", e.ID1},
                       {"id2", e.ID2},
                       {"ext_data_start_address", e.ext_data_start_address},
                       {"ext_data_length", e.ext_data_length}});
  }
  return {{"length", ed.length},
          {"data_block_start_address", ed.data_block_start_address},
          {"number_of_ext_data_entries", ed.number_of_ext_data_entries},
          {"entries", entries},
          {"data", hexBytes(ed.data)}};
}

json toJson(const TINDX& idx) {
  json titles = json::array();
  for (const TIndexesTitle& t : idx.indexes.titles) {
    titles.push_back({{"title_number", t.title_number},
                      {"object_type", t.object_type},
                      {"access_type", t.access_type},
                      {"playback_type", t.playback_type},
                      {"movie_object_reference", t.movie_object_reference},
                      {"bdj_object_name", text(t.bdj_object_name)}});
  }
  return {{"type_indicator", text(idx.type_indicator)},
          {"version_number", text(idx.version_number)},
          {"indexes_start_address", idx.Indexes_start_address},
          {"extension_data_start_address", idx.ExtensionData_start_address},
          {"reserved", hexBytes(idx.reserved)},
          {"app_info_bdmv_length", idx.app_info_bdmv_length},
          {"app_info_bdmv_flags", idx.app_info_bdmv_flags},
          {"content_provider_data", text(idx.content_provider_data)},
          {"app_info_bdmv", appInfoJson(idx)},
          {"ultra_hd", ultraHdJson(idx)},
          {"indexes_gap", hexBytes(idx.indexes_gap)},
          {"indexes",
           {{"length", idx.indexes.length},
            {"first_playback", entryJson(idx.indexes.first_playback)},
            {"top_menu", entryJson(idx.indexes.top_menu)},
            {"number_of_titles", idx.indexes.titles.size()},
            {"titles", titles}}},
          {"extension_data", toJson(idx.extension_data)}};
}

json toJson(const TMOBJ& m) {
  json objects = json::array();
  for (const Tmobject& o : m.movie_objects.objects) {
    json commands = json::array();
    for (const TNavCommand& c : o.commands) commands.push_back({{"opcode", c.opcode}, {"dst", c.dst}, {"src", c.src}});
    objects.push_back({{"resume_intention_flag", o.resume_intention_flag},
                       {"menu_call_mask", o.menu_call_mask},
                       {"title_search_mask", o.title_search_mask},
                       {"number_of_navigation_commands", o.commands.size()},
                       {"commands", commands}});
  }
  return {{"type_indicator", text(m.type_indicator)},
          {"version_number", text(m.version_number)},
          {"extension_data_start_address", m.ExtensionData_start_address},
          {"reserved", hexBytes(m.reserved)},
          {"movie_objects",
           {{"length", m.movie_objects.length},
            {"reserved", m.movie_objects.reserved},
            {"number_of_movie_objects", m.movie_objects.objects.size()},
            {"objects", objects}}},
          {"extension_data", toJson(m.extension_data)}};
}

json toJson(const TBDJO& b) {
  const TTerminalInfo& ti = b.terminal_info;
  json cache = json::array();
  for (const TAppCacheEntry& e : b.app_cache_info.entries)
    cache.push_back({{"entry_type", e.entry_type}, {"ref_to_name", text(e.ref_to_name)}, {"language", text(e.language)}});
  json playlists = json::array();
  for (const std::string& p : b.table_of_accessible_playlists.playlists) playlists.push_back(text(p));
  json apps = json::array();
  for (const Tapplication& a : b.application_management_table.applications) {
    json profiles = json::array(), names = json::array(), params = json::array();
    for (const TAppProfile& p : a.profiles)
      profiles.push_back({{"profile", p.profile},
                          {"major_version", p.major_version},
                          {"minor_version", p.minor_version},
                          {"micro_version", p.micro_version}});
    for (const Tapplication_name& n : a.names) names.push_back({{"language", text(n.language)}, {"name", text(n.name)}});
    for (const std::string& p : a.parameters) params.push_back(text(p));
    apps.push_back({{"control_code", a.control_code},
                    {"application_type", a.application_type},
                    {"organization_id", a.organization_id},
                    {"application_id", a.application_id},
                    {"descriptor_tag", a.descriptor_tag},
                    {"descriptor_length", a.descriptor_length},
                    {"profiles", profiles},
                    {"priority", a.priority},
                    {"binding", a.binding},
                    {"visibility", a.visibility},
                    {"names", names},
                    {"icon_locator", text(a.icon_locator)},
                    {"icon_flags", a.icon_flags},
                    {"base_directory", text(a.base_directory)},
                    {"classpath_extension", text(a.classpath_extension)},
                    {"initial_class_name", text(a.initial_class_name)},
                    {"parameters", params}});
  }
  json keys = json::array();
  for (std::size_t i = 0; i < kKeyInterestCount; ++i)
    if (keyInterest(b.key_interest_table, i)) keys.push_back(kKeyInterestCaptions[i]);
  return {{"type_indicator", text(b.type_indicator)},
          {"version_number", text(b.version_number)},
          {"start_addresses", b.start_addresses},
          {"terminal_info",
           {{"length", ti.length},
            {"default_font_file_name", text(ti.default_font_file_name)},
            {"menu_call_mask", ti.menu_call_mask},
            {"title_search_mask", ti.title_search_mask},
            {"initial_havi_configuration_id", ti.initial_havi_configuration_id}}},
          {"app_cache_info", {{"length", b.app_cache_info.length}, {"entries", cache}}},
          {"table_of_accessible_playlists",
           {{"length", b.table_of_accessible_playlists.length},
            {"access_to_all_flag", b.table_of_accessible_playlists.access_to_all_flag},
            {"autostart_first_playlist_flag", b.table_of_accessible_playlists.autostart_first_playlist_flag},
            {"playlists", playlists}}},
          {"application_management_table",
           {{"length", b.application_management_table.length}, {"applications", apps}}},
          {"key_interest_table", b.key_interest_table},
          {"key_interest", keys},
          {"file_access_info",
           {{"path_length", b.file_access_info.path_length},
            {"directory_path", text(b.file_access_info.directory_path)}}}};
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

#include "present/bdjo_rows.h"

namespace mirdal {

std::array<std::string, 4> appCacheRow(const TBDJO& b, std::size_t i) {
  const TAppCacheEntry& e = b.app_cache_info.entries.at(i);
  return {std::to_string(i), std::to_string(e.entry_type), e.ref_to_name, e.language};
}

std::array<std::string, 2> accessiblePlayListRow(const TBDJO& b, std::size_t i) {
  return {std::to_string(i), b.table_of_accessible_playlists.playlists.at(i)};
}

std::array<std::string, 16> applicationRow(const TBDJO& b, std::size_t i) {
  const Tapplication& a = b.application_management_table.applications.at(i);
  return {std::to_string(i),
          std::to_string(a.control_code),
          std::to_string(a.application_type),
          hexText(a.organization_id, 8),
          hexText(a.application_id, 4),
          hexText(a.descriptor_tag, 2),
          std::to_string(a.priority),
          std::to_string(a.binding),
          std::to_string(a.visibility),
          a.icon_locator,
          a.base_directory,
          a.classpath_extension,
          a.initial_class_name,
          std::to_string(a.profiles.size()),
          std::to_string(a.names.size()),
          std::to_string(a.parameters.size())};
}

std::array<std::string, 3> profileRow(const Tapplication& a, std::size_t i) {
  const TAppProfile& p = a.profiles.at(i);
  return {std::to_string(i + 1), hexText(p.profile, 4),
          std::to_string(p.major_version) + "." + std::to_string(p.minor_version) + "." +
              std::to_string(p.micro_version)};
}

std::array<std::string, 3> nameRow(const Tapplication& a, std::size_t i) {
  const Tapplication_name& n = a.names.at(i);
  return {std::to_string(i + 1), n.language, n.name};
}

std::array<std::string, 2> parameterRow(const Tapplication& a, std::size_t i) {
  return {std::to_string(i + 1), a.parameters.at(i)};
}

std::string haviConfigurationText(const TBDJO& b) {
  return hexText(b.terminal_info.initial_havi_configuration_id, 1);
}

}  // namespace mirdal

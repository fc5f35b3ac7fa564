#include "present/bdjo_rows.h"

namespace mirdal {

std::array<std::string, 4> appCacheRow(const BdjoFile& b, std::size_t i) {
  const AppCacheEntry& e = b.appCacheInfo.entries.at(i);
  return {std::to_string(i), std::to_string(e.entryType), e.refToName, e.language};
}

std::array<std::string, 2> accessiblePlayListRow(const BdjoFile& b, std::size_t i) {
  return {std::to_string(i), b.tableOfAccessiblePlaylists.playlists.at(i)};
}

std::array<std::string, 16> applicationRow(const BdjoFile& b, std::size_t i) {
  const Application& a = b.applicationManagementTable.applications.at(i);
  return {std::to_string(i),
          std::to_string(a.controlCode),
          std::to_string(a.applicationType),
          hexText(a.organizationId, 8),
          hexText(a.applicationId, 4),
          hexText(a.descriptorTag, 2),
          std::to_string(a.priority),
          std::to_string(a.binding),
          std::to_string(a.visibility),
          a.iconLocator,
          a.baseDirectory,
          a.classpathExtension,
          a.initialClassName,
          std::to_string(a.profiles.size()),
          std::to_string(a.names.size()),
          std::to_string(a.parameters.size())};
}

std::array<std::string, 3> profileRow(const Application& a, std::size_t i) {
  const AppProfile& p = a.profiles.at(i);
  return {std::to_string(i + 1), hexText(p.profile, 4),
          std::to_string(p.majorVersion) + "." + std::to_string(p.minorVersion) + "." +
              std::to_string(p.microVersion)};
}

std::array<std::string, 3> nameRow(const Application& a, std::size_t i) {
  const ApplicationName& n = a.names.at(i);
  return {std::to_string(i + 1), n.language, n.name};
}

std::array<std::string, 2> parameterRow(const Application& a, std::size_t i) {
  return {std::to_string(i + 1), a.parameters.at(i)};
}

std::string haviConfigurationText(const BdjoFile& b) {
  return hexText(b.terminalInfo.initialHaviConfigurationId, 1);
}

}  // namespace mirdal

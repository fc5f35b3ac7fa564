#include "formats/common/disc_file.h"

#include <filesystem>

#include "core/report.h"
#include "core/display_text.h"

namespace mirdal {

bool readDiscFile(const std::string& path, Bytes& out, Reporter& rep) {
  std::string error;
  if (readFileBytes(path, out, &error)) return true;
  rep.logError("Cannot read " + path + " (" + error + ")");
  return false;
}

bool openDiscFile(const std::string& path, const std::string& shownName, Bytes& out, Reporter& rep) {
  rep.logStep("Reading " + shownName);
  return readDiscFile(path, out, rep);
}

bool saveDiscFile(const SaveRequest& req, const Bytes& bytes, Reporter& rep) {
  rep.logStep("Saving " + req.name);
  if (!saveFile(req, bytes, rep)) return false;
  rep.log(req.name + " saved.");
  rep.setStatusReady();
  return true;
}

void refuseSave(const SaveRequest& req, const std::string& why, Reporter& rep) {
  rep.logStep("Saving " + req.name);
  rep.logError("Cannot save " + req.name + ": " + why);
}

void reportEndsEarly(const std::string& name, std::size_t fileSize, Reporter& rep) {
  rep.logError(name + " ends early at $" + hexText(fileSize, 8));
}

bool noteUnsupportedVersion(const Bytes& data, Reporter& rep) {
  if (data.size() < 8 || std::string(data.begin() + 4, data.begin() + 8) != "0300") return false;
  rep.log(kUltraHdNote);
  return true;
}

std::string fileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace mirdal

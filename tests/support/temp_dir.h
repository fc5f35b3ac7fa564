// A fresh folder under the system temporary folder, removed with the object.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace mirdal::test {

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("mirdal-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder text as the engine holds it: with a trailing separator.
  std::string folder() const { return path_.string() + "/"; }

  std::filesystem::path mkdir(const std::string& rel) const {
    std::filesystem::create_directories(path_ / rel);
    return path_ / rel;
  }
  std::filesystem::path write(const std::string& rel, const std::vector<std::uint8_t>& bytes = {}) const {
    const auto p = path_ / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return p;
  }
  std::filesystem::path write(const std::string& rel, const std::string& text) const {
    return write(rel, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  std::vector<std::uint8_t> read(const std::string& rel) const {
    std::ifstream in(path_ / rel, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool exists(const std::string& rel) const { return std::filesystem::exists(path_ / rel); }

 private:
  std::filesystem::path path_;
};

}  // namespace mirdal::test

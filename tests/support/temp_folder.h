#pragma once
// A temporary folder removed with everything in it when the test ends, and
// files written into it.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace test_support {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vx-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return m_path; }
  std::string file(const std::string& name) const { return m_path + "/" + name; }

  // Writes `bytes` to the file `name` and returns its path.
  std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::string path = file(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::string write(const std::string& name, const std::string& text) const {
    return write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

 private:
  std::string m_path;
};

}  // namespace test_support

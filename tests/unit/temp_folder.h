// A folder of its own for a test that needs real files, removed with everything in it when
// the test ends; ctest runs tests side by side, so no two tests share one.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/text.h"

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "launcher-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
    EXPECT_FALSE(path_.empty()) << "no temporary folder";
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::filesystem::path Path(const std::string& name = "") const {
    return name.empty() ? path_ : path_ / name;
  }
  // The path as the launcher's logic writes it; the platform layer maps it back.
  Text TextPath(const std::string& name = "") const { return FromUtf8(Path(name).string()); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path path_;
};

// A file-backed settings store in a fresh folder, installed for one test and removed after it,
// and a recorder of the boxes shown meanwhile (so that none can block).
#ifndef TAVLO_TESTS_SUPPORT_SETTINGS_ENV_H
#define TAVLO_TESTS_SUPPORT_SETTINGS_ENV_H

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/msgbox.h"
#include "regc/regc.h"
#include "regc/regc_filestore.h"

class SettingsEnv {
 public:
  SettingsEnv() : folder_(Fresh()), store_(folder_.string() + "/settings") {
    InstallSettingsStore(&store_);
    Boxes().clear();
    InstallMsgBox([](const std::string& prompt, unsigned, const std::string& title) {
      Boxes().push_back(title + ": " + prompt);
      return kMsgBoxIdOk;
    });
  }
  ~SettingsEnv() {
    InstallMsgBox(nullptr);
    InstallSettingsStore(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  static std::vector<std::string>& Boxes() {
    static std::vector<std::string> boxes;
    return boxes;
  }
  const std::filesystem::path& folder() const {
    return folder_;
  }

 private:
  static std::filesystem::path Fresh() {
    std::random_device random;
    auto folder = std::filesystem::temp_directory_path() /
                  ("tavlo-prefs-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder);
    return folder;
  }

  std::filesystem::path folder_;
  RegcFileStore store_;
};

#endif

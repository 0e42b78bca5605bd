// A file-backed settings store in a fresh folder, installed for one test and removed after it,
// and a recorder of the boxes shown meanwhile (so that none can block).
#ifndef TAVLO_TESTS_SUPPORT_SETTINGS_ENV_H
#define TAVLO_TESTS_SUPPORT_SETTINGS_ENV_H

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/app.h"
#include "base/msgbox.h"
#include "regc/regc.h"
#include "regc/regc_filestore.h"

// A window as the settings module sees it (FakeRegcView): its placement and state as set,
// each Move counted; its screens one work area, the desktop, unless a test sets others.
class FakeRegcView final : public RegcView {
 public:
  explicit FakeRegcView(RegcRect start = RegcRect{150, 300, 4500, 3000}) : placement(start) {}
  RegcRect placement;
  RegcWindowState state = RegcWindowState::kNormal;
  RegcRect desktop{0, 0, 19200, 14400};  // 1280 x 960 pixels of 15 twips
  int moves = 0;

  RegcRect Placement() const override {
    return placement;
  }
  RegcWindowState State() const override {
    return state;
  }
  void Move(const RegcRect& p) override {
    placement = p;
    ++moves;
  }
  RegcRect VisibleDesktop() const override {
    return desktop;
  }
  RegcScreens Screens() const override {
    RegcScreens s = screens;
    if (s.work_areas.empty())
      s.work_areas.push_back(desktop);
    return s;
  }
  RegcScreens screens;  // 15 twips to the pixel
};

// The preferences' values, written and read as the program does.
inline void PrefStore(const std::string& name, int32_t value) {
  uint32_t key = RegcOpenWriteCreate(kRegcCurrentUser, kPrefsKey);
  RegcWriteValueLong(key, name, value);
  RegcClose(key);
}
inline void PrefStore(const std::string& name, const std::string& text) {
  uint32_t key = RegcOpenWriteCreate(kRegcCurrentUser, kPrefsKey);
  RegcWriteValueString(key, name, text);
  RegcClose(key);
}
inline std::string PrefText(const std::string& name) {
  uint32_t key = RegcOpenRead(kRegcCurrentUser, kPrefsKey);
  std::string text = RegcQueryValue(key, name, "(none)");
  RegcClose(key);
  return text;
}
inline int32_t PrefLong(const std::string& name) {
  uint32_t key = RegcOpenRead(kRegcCurrentUser, kPrefsKey);
  int32_t value = RegcQueryValueLong(key, name, -99);
  RegcClose(key);
  return value;
}

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

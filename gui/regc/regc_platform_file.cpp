// The settings store on systems without a registry: a RegcFileStore at
//   $TAVLO_SETTINGS, else $XDG_CONFIG_HOME/tavlo/settings, else $HOME/.config/tavlo/settings,
//   else "tavlo-settings" in the current folder.
#include <cstdlib>
#include <string>

#include "regc_filestore.h"

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string SettingsPath() {
  if (!Env("TAVLO_SETTINGS").empty())
    return Env("TAVLO_SETTINGS");
  if (!Env("XDG_CONFIG_HOME").empty())
    return Env("XDG_CONFIG_HOME") + "/tavlo/settings";
  if (!Env("HOME").empty())
    return Env("HOME") + "/.config/tavlo/settings";
  return "tavlo-settings";
}

}  // namespace

RegcStore& RegcPlatformStore() {
  static RegcFileStore store(SettingsPath());
  return store;
}

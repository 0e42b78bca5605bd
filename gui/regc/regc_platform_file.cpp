// The settings store on systems without a registry: a RegcFileStore at
//   $TAVLO_SETTINGS, else $XDG_CONFIG_HOME/tavlo/settings, else $HOME/.config/tavlo/settings,
//   else "tavlo-settings" in the current folder.
#include <string>

#include "regc/regc_filestore.h"
#include "base/text.h"

namespace {

std::string SettingsPath() {
  if (!EnvText("TAVLO_SETTINGS").empty())
    return EnvText("TAVLO_SETTINGS");
  if (!EnvText("XDG_CONFIG_HOME").empty())
    return EnvText("XDG_CONFIG_HOME") + "/tavlo/settings";
  if (!EnvText("HOME").empty())
    return EnvText("HOME") + "/.config/tavlo/settings";
  return "tavlo-settings";
}

}  // namespace

RegcStore& RegcPlatformStore() {
  static RegcFileStore store(SettingsPath());
  return store;
}

#include "win/version_win.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "base/app.h"
#include "base/files.h"

namespace {

// A string of the first translation the file lists (or US English, Windows-1252).
std::string Value(const std::vector<char>& data, const char* name) {
  struct Translation {
    WORD language;
    WORD code_page;
  };
  Translation* translation = nullptr;
  UINT size = 0;
  Translation wanted{0x0409, 1252};
  if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                     reinterpret_cast<void**>(&translation), &size) &&
      size >= sizeof(Translation)) {
    wanted = *translation;
  }
  char path[96];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", wanted.language,
                wanted.code_page, name);
  char* text = nullptr;
  if (!VerQueryValueA(data.data(), path, reinterpret_cast<void**>(&text), &size) ||
      text == nullptr || size == 0)
    return "";
  std::string value(text, size);
  while (!value.empty() && value.back() == '\0')
    value.pop_back();
  return value;
}

}  // namespace

bool VersionInfoOf(const std::string& path, AboutVersionInfo* info) {
  *info = AboutVersionInfo{};
  info->title = kAppTitle;
  DWORD handle = 0;
  const std::wstring wide = Widen(path);
  DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &handle);
  if (size == 0)
    return false;
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(wide.c_str(), 0, size, data.data()))
    return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixed_size = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixed_size) &&
      fixed != nullptr && fixed_size >= sizeof(VS_FIXEDFILEINFO)) {
    AboutFileVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS, info);
  }
  info->comments = Value(data, "Comments");
  info->copyright = Value(data, "LegalCopyright");
  return true;
}

// Through the wide-character name: the ANSI one of a folder outside the code page names no file.
AboutVersionInfo VersionInfoOfProgram() {
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  AboutVersionInfo info;
  VersionInfoOf(Narrow(std::wstring(path, n < MAX_PATH * 4 ? n : 0)), &info);
  return info;
}

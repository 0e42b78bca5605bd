// The program's look: the icon and the manifest inside the program files the build makes. (The
// control font and the layout at another resolution: dpi_wine_test.)
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/drive_win.h"
#include "win/res/tavlo_res.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr)
    return "";
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes != nullptr ? std::string(bytes, SizeofResource(module, found)) : "";
}

// The program file itself and the one the build gives out, with the descriptions appended.
TEST(ProgramResources, CarryTheManifestAndEveryIconSize) {
  const std::string manifest = FileBytes(TAVLO_MANIFEST_FILE);
  ASSERT_NE(manifest.find("<dpiAware>true</dpiAware>"), std::string::npos);
  for (const char* program : {TAVLO_PROGRAM_EXE, TAVLO_DIST_EXE}) {
    SCOPED_TRACE(program);
    HMODULE module =
        LoadLibraryExA(WindowsPath(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(ResourceBytes(module, MAKEINTRESOURCEA(TAVLO_MANIFEST_ID),
                            MAKEINTRESOURCEA(TAVLO_MANIFEST_TYPE)),
              manifest);
    // The icon group: a 6-byte header with the count, then 14 bytes per image, width first.
    std::string group = ResourceBytes(module, MAKEINTRESOURCEA(TAVLO_ICON_ID), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    std::vector<int> widths;
    for (std::size_t at = 6; at + 14 <= group.size(); at += 14)
      widths.push_back(static_cast<unsigned char>(group[at]));
    EXPECT_EQ(widths, (std::vector<int>{16, 24, 32, 48}));
    FreeLibrary(module);
  }
}

}  // namespace

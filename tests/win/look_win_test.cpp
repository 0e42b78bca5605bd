// The program's look: the icon and the manifest inside the program files the build makes, and
// the control font following the twips per pixel that the start-up took.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "code.h"
#include "look_win.h"
#include "res/tavlo_res.h"

namespace {

std::string WindowsPath(std::string path) {
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  return path[0] == '\\' ? "Z:" + path : path;
}

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

int FontHeight(HFONT font) {
  LOGFONTA description{};
  GetObjectA(font, sizeof description, &description);
  return std::abs(description.lfHeight);
}

// The font is the system's message font at the resolution the twips per pixel stand for,
// whatever the screen this test runs on.
TEST(LookMessageFont, FollowsTheTwipsPerPixel) {
  const float saved = TwipsPerPixelY;
  TwipsPerPixelY = 15;
  HFONT at96 = LookMessageFont();
  ASSERT_NE(at96, nullptr);
  const int height96 = FontHeight(at96);
  EXPECT_GT(height96, 0);
  struct Case {
    float twips_per_pixel;
    int dpi;
    double scale;
  };
  const Case cases[] = {{10, 144, 1.5}, {7.5f, 192, 2.0}, {12, 120, 1.25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    TwipsPerPixelY = c.twips_per_pixel;
    EXPECT_EQ(LookScreenDpi(), c.dpi);
    HFONT font = LookMessageFont();
    ASSERT_NE(font, nullptr);
    EXPECT_NEAR(FontHeight(font), c.scale * height96, 1.0);
    DeleteObject(font);
  }
  DeleteObject(at96);
  TwipsPerPixelY = saved;
}

}  // namespace

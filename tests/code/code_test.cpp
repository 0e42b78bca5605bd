// The start-up module's window-free half: paths, flags and metrics from the platform's facts.
#include <gtest/gtest.h>

#include <string>

#include "code/code.h"

namespace {

CodeFacts Facts(const std::string& program, const std::string& tmp = "",
                const std::string& temp = "") {
  CodeFacts facts;
  facts.program_path = program;
  facts.tmp = tmp;
  facts.temp = temp;
  return facts;
}

TEST(CodeStartup, CacheFileLivesInTmpThenTempThenC) {
  CodeStartup(Facts("C:\\Tools\\tavlo.exe", "D:\\Tmp", "E:\\Temp"));
  EXPECT_EQ(CacheFile, "D:\\Tmp\\tavlo_cache.tmp");
  CodeStartup(Facts("C:\\Tools\\tavlo.exe", "", "E:\\Temp"));
  EXPECT_EQ(CacheFile, "E:\\Temp\\tavlo_cache.tmp");
  CodeStartup(Facts("C:\\Tools\\tavlo.exe"));
  EXPECT_EQ(CacheFile, "C:\\tavlo_cache.tmp");
}

TEST(CodeStartup, AFolderEndingInABackslashGetsNoSecond) {
  CodeStartup(Facts("C:\\Tools\\tavlo.exe", "D:\\Tmp\\"));
  EXPECT_EQ(CacheFile, "D:\\Tmp\\tavlo_cache.tmp");
  CodeStartup(Facts("C:\\Tools\\tavlo.exe", "", "C:\\"));
  EXPECT_EQ(CacheFile, "C:\\tavlo_cache.tmp");
  EXPECT_EQ(CodeTempFolder("D:/tmp/", ""), "D:/tmp/\\");  // only "\" counts as the end
}

// A name with a capital letter reads its own file; one without reads tavlo.exe beside it.
TEST(CodeStartup, TheNamesCaseChoosesTheFileRead) {
  struct Case {
    const char* program;
    int lower_case;
    const char* resource;  // nullptr: not checked
  };
  const Case cases[] = {
      {"C:\\Tools\\Tavlo.exe", kFalse, "C:\\Tools\\Tavlo.exe"},
      {"C:\\Tools\\TAVLO.EXE", kFalse, "C:\\Tools\\TAVLO.exe"},
      {"C:\\Tools\\tavl\xC9.exe", kFalse, nullptr},  // Latin-1 capital E with acute
      {"C:\\Tools\\tavlo.exe", kTrue, "C:\\Tools\\tavlo.exe"},
      {"C:\\Tools\\my copy 2.exe", kTrue, "C:\\Tools\\tavlo.exe"},
      {"C:\\Tools\\tavl\xE9.exe", kTrue, nullptr},       // Latin-1 small e with acute
      {"C:\\Tools\\tavl\xC3\x89.exe", kFalse, nullptr},  // the same letters in UTF-8,
      {"C:\\Tools\\tavl\xC3\xA9.exe", kTrue, nullptr},   // as the system gives paths
      {"C:\\Tools\\\xC5\xA0.exe", kFalse, nullptr},      // S with caron
  };
  for (const Case& c : cases) {
    CodeStartup(Facts(c.program));
    EXPECT_EQ(LowerCaseName, c.lower_case) << c.program;
    if (c.resource != nullptr)
      EXPECT_EQ(ResourceFile, c.resource) << c.program;
  }
}

TEST(CodeStartup, ProgramsAtTheRootOrWithoutFolder) {
  CodeStartup(Facts("C:\\Tavlo.exe"));
  EXPECT_EQ(ResourceFile, "C:\\Tavlo.exe");
  CodeStartup(Facts("tavlo2.exe"));
  EXPECT_EQ(ResourceFile, "tavlo.exe");
}

TEST(CodeStartup, SetsMetricsAndClearsTheMaintenanceFlag) {
  MakeWindowLoaded = kTrue;
  CodeFacts facts = Facts("C:\\tavlo.exe");
  facts.dpi_x = 120;
  facts.dpi_y = 96;
  CodeStartup(facts);
  EXPECT_EQ(MakeWindowLoaded, kFalse);
  EXPECT_EQ(TwipsPerPixelX, 12.0f);
  EXPECT_EQ(TwipsPerPixelY, 15.0f);
}

// Only ".exe", in whatever case the file system gives it, is taken off the name; a program file
// without it keeps its whole name.
TEST(CodeStartup, TheExeEndingInAnyCaseIsDroppedAndNothingElse) {
  struct Case {
    const char* program;
    int16_t lower;
    const char* resource;
  };
  const Case cases[] = {
      {"C:\\Tools\\tavlo.EXE", kTrue, "C:\\Tools\\tavlo.exe"},
      {"C:\\Tools\\Tavlo.Exe", kFalse, "C:\\Tools\\Tavlo.exe"},
      {"C:\\Tools\\tavlo", kTrue, "C:\\Tools\\tavlo.exe"},
      {"C:\\Tools\\Tavlo", kFalse, "C:\\Tools\\Tavlo.exe"},
      {"C:\\Tools\\tavlo.Bin", kFalse, "C:\\Tools\\tavlo.Bin.exe"},
  };
  for (const Case& c : cases) {
    CodeStartup(Facts(c.program));
    EXPECT_EQ(LowerCaseName, c.lower) << c.program;
    EXPECT_EQ(ResourceFile, c.resource) << c.program;
  }
}

// The capitals of the Windows ANSI code page outside A-Z and 0xC0-0xDE.
TEST(CodeStartup, WindowsCodePageCapitalsCount) {
  for (const char* name : {"tavl\x8A", "tavl\x8C", "tavl\x8E", "tavl\x9F"}) {
    CodeStartup(Facts(std::string("C:\\Tools\\") + name + ".exe"));
    EXPECT_EQ(LowerCaseName, kFalse) << name;
  }
  for (const char* name : {"tavl\x9A", "tavl\x9C", "tavl\x9E", "tavl\xFF", "tavl\xDF"}) {
    CodeStartup(Facts(std::string("C:\\Tools\\") + name + ".exe"));
    EXPECT_EQ(LowerCaseName, kTrue) << name;
  }
}

TEST(CodeNames, BaseNameDropsFolderAndExe) {
  EXPECT_EQ(CodeBaseName("C:\\A.B\\tavlo.exe"), "tavlo");
  EXPECT_EQ(CodeBaseName("C:/dir/tavlo.v2.exe"), "tavlo.v2");
  EXPECT_EQ(CodeBaseName("C:\\dir\\tavlo"), "tavlo");
  EXPECT_EQ(CodeBaseName("C:\\dir\\tavlo.v2"), "tavlo.v2");
  EXPECT_EQ(CodeBaseName("C:\\dir\\tavlo.exe.bak"), "tavlo.exe.bak");
  EXPECT_EQ(CodeBaseName("C:\\dir\\TAVLO.EXE"), "TAVLO");
  EXPECT_EQ(CodeBaseName(".hidden"), ".hidden");
  EXPECT_EQ(CodeFolder("C:\\A.B\\tavlo.exe"), "C:\\A.B");
  EXPECT_EQ(CodeFolder("tavlo.exe"), "");
}

TEST(CodeTwipsPerPixel, GuardsAgainstAMissingResolution) {
  EXPECT_EQ(CodeTwipsPerPixel(96), 15.0f);
  EXPECT_EQ(CodeTwipsPerPixel(144), 10.0f);
  EXPECT_EQ(CodeTwipsPerPixel(0), 15.0f);
  EXPECT_EQ(CodeTwipsPerPixel(-1), 15.0f);
}

}  // namespace

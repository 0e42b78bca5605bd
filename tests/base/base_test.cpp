// The shared base: the message-box gate, text, file and twips helpers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/files.h"
#include "base/msgbox.h"
#include "base/text.h"
#include "base/twips.h"

namespace {

std::string last_box;

int Recorder(const std::string& prompt, unsigned style, const std::string& title) {
  last_box = title + "|" + prompt + "|" + std::to_string(style);
  return 7;
}

TEST(MsgBox, GoesThroughTheInstalledHandler) {
  MsgBoxHandler old = InstallMsgBox(Recorder);
  EXPECT_EQ(MsgBox("Text", kMsgBoxExclamation, "Title"), 7);
  EXPECT_EQ(last_box, "Title|Text|48");
  EXPECT_EQ(InstallMsgBox(nullptr), Recorder);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MsgBox("Text", kMsgBoxOkOnly, "Title"), kMsgBoxIdOk);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Title: Text\n");
  InstallMsgBox(old);
}

TEST(Text, NumbersInDecimalAndTwosComplementHex) {
  struct Case {
    int value;
    const char* decimal;
    const char* hex;
  };
  const Case cases[] = {{0, "0", "0"},
                        {2035, "2035", "7F3"},
                        {-1, "-1", "FFFFFFFF"},
                        {-2147483647 - 1, "-2147483648", "80000000"}};
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDecimal(c.value), c.decimal);
    EXPECT_EQ(FormatUpperHex(c.value), c.hex);
  }
  EXPECT_TRUE(StartsWith("[DI1,Version]", "[DI"));
  EXPECT_FALSE(StartsWith("[D", "[DI"));
}

TEST(Twips, PixelsRoundToTheNearest) {
  EXPECT_EQ(TwipsToPixels(10515, 15), 701);
  EXPECT_EQ(TwipsToPixels(6180, 15), 412);
  EXPECT_EQ(TwipsToPixels(7, 15), 0);
  EXPECT_EQ(TwipsToPixels(-8, 15), -1);
  EXPECT_EQ(PixelsToTwips(-3, 12), -36);
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Files, CopyKeepsBytesAndPermissionsAndReplaceSwapsWhole) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / "tavlo-base-files";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::string from = (dir / "from").string();
  std::string copy = (dir / "copy").string();
  std::string bytes("a\r\n\0\xFF", 5);
  std::ofstream(from, std::ios::binary) << bytes;
  fs::permissions(from, fs::perms::owner_all);
  EXPECT_EQ(CopyFileBytes(from, copy), 0);
  EXPECT_EQ(Read(copy), bytes);
  EXPECT_EQ(fs::status(copy).permissions(), fs::status(from).permissions());
  EXPECT_NE(CopyFileBytes((dir / "missing").string(), copy), 0);
  EXPECT_EQ(Read(copy), bytes);

  std::ofstream(copy, std::ios::binary) << "new";
  EXPECT_FALSE(ReplaceFile(copy, from));
  EXPECT_EQ(Read(from), "new");
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_TRUE(ReplaceFile(copy, from));  // nothing to put in place: the file stays
  EXPECT_EQ(Read(from), "new");
  fs::remove_all(dir);
}

}  // namespace

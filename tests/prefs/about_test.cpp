// The Help menu's texts, compared byte for byte with their golden files (CR LF line ends).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "about/about.h"

namespace {

std::string Golden(const std::string& name) {
  std::ifstream in(std::string(TAVLO_PREFS_GOLDEN) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(About, HelpText) {
  EXPECT_EQ(AboutHelpText(), Golden("help.txt"));
}

TEST(About, VersionTextTurnsTheMarkersIntoLineBreaksOnce) {
  AboutVersionInfo info;
  info.title = "tavlo";
  AboutFileVersion(0x00020007, 0x00010000, &info);
  info.comments = "3 March 2002";
  info.copyright = "Copyright (C) 2002 The tavlo developers";
  std::string notice = "Descriptions of 6 December 2026~~Second line~~~end~";
  const std::string first = AboutVersionText(info, notice);
  EXPECT_EQ(first, Golden("version.txt"));
  EXPECT_EQ(notice, "Descriptions of 6 December 2026\r\n\r\nSecond line\r\n\r\n\r\nend\r\n");
  EXPECT_EQ(AboutVersionText(info, notice), first) << "a second showing";
}

TEST(About, BothCommandsShowTheTextThenFocusTheSearchAndClearTheSelection) {
  struct View final : AboutView {
    std::vector<std::string> calls;
    void ShowResult(const std::string& text) override {
      calls.push_back(text.substr(0, text.find('\r')));
    }
    void FocusSearch() override {
      calls.push_back("focus search");
    }
    void ClearListSelection() override {
      calls.push_back("no selection");
    }
  } view;
  mnuHelpUsing_Click(view);
  std::string notice = "N";
  AboutVersionInfo info;
  info.title = "tavlo";
  mnuHelpVersion_Click(view, info, notice);
  EXPECT_EQ(view.calls,
            (std::vector<std::string>{"Help - Using TAVLO", "focus search", "no selection", "tavlo",
                                      "focus search", "no selection"}));
}

}  // namespace

// The program image and the shipped description set: the bare image must give no match for
// any value or name of the set (else every look-up would show stray lines), and the program
// with the set appended must find every section and its description by value and by name.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "store.h"

namespace {

struct Section {
  std::string value;
  std::string name;
  std::string Header() const  // what a numeric search looks for
  {
    return value == "DI1" ? "[" + value + "," + name + "]" : "[" + value + ",";
  }
  std::string Part() const  // what a symbolic search for the section looks for
  {
    return value == "DI1" ? value : name;
  }
};

std::vector<Section> ShippedSections() {
  std::vector<Section> sections;
  std::ifstream in(TAVLO_DESCRIPTIONS_PATH, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    size_t comma = line.find(',');
    if (line.size() > 2 && line[0] == '[' && line.back() == ']' && comma != std::string::npos) {
      sections.push_back(
          {line.substr(1, comma - 1), line.substr(comma + 1, line.size() - comma - 2)});
    }
  }
  return sections;
}

std::string FileBytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ProgramImage, IsTheBareImageFollowedByTheTextUnchanged) {
  const std::string bare = FileBytes(TAVLO_BARE_PATH);
  const std::string text = FileBytes(TAVLO_DESCRIPTIONS_PATH);
  ASSERT_FALSE(bare.empty());
  ASSERT_GE(text.size(), 6u);
  EXPECT_EQ(text.substr(text.size() - 6), "[end]\n");
  EXPECT_TRUE(FileBytes(TAVLO_PROGRAM_PATH) == bare + text);
}

class StoreImage : public testing::Test {
 protected:
  void Open(const char* path) {
    ASSERT_EQ(OpenDescriptions(path), 0) << path;
    sections = ShippedSections();
    ASSERT_FALSE(sections.empty());
    ASSERT_EQ(sections.front().value, "DI1");
  }
  void TearDown() override {
    CloseDescriptions();
    SwDescription = 0;
  }
  // Runs one search with the output captured; returns the matches it found.
  int Search(bool symbolic, const std::string& what, int* status) {
    MatchCnt = 0;
    testing::internal::CaptureStdout();
    *status = symbolic ? SearchSymbols(what.c_str()) : SearchSectionHeader(what.c_str());
    output = testing::internal::GetCapturedStdout();
    return MatchCnt;
  }
  std::vector<Section> sections;
  std::string output;
};

TEST_F(StoreImage, BareImageMatchesNothingOfTheShippedSet) {
  Open(TAVLO_BARE_PATH);
  int status = -1;
  for (const Section& s : sections) {
    EXPECT_EQ(Search(false, s.Header(), &status), 0) << s.Header();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Search(true, s.Part(), &status), 0) << s.Part();
    EXPECT_EQ(status, 0);
  }
}

// Any part of a name that the image matched would contain a three-byte part that matches the
// same bracketed text, so checking every three-byte part covers all parts.
TEST_F(StoreImage, BareImageMatchesNoPartOfAShippedName) {
  Open(TAVLO_BARE_PATH);
  std::set<std::string> parts;
  for (const Section& s : sections) {
    const std::string name = s.value == "DI1" ? s.value : s.name;
    for (size_t i = 0; i + 3 <= name.size(); i++) {
      parts.insert(name.substr(i, 3));
    }
  }
  int status = -1;
  for (const std::string& part : parts) {
    EXPECT_EQ(Search(true, part, &status), 0) << part;
    EXPECT_EQ(status, 0);
  }
}

TEST_F(StoreImage, ProgramFindsEverySectionWithItsDescription) {
  Open(TAVLO_PROGRAM_PATH);
  SwDescription = 1;
  int status = -1;
  for (const Section& s : sections) {
    EXPECT_GE(Search(false, s.Header(), &status), 1) << s.Header();
    EXPECT_EQ(status, 0) << s.Header();
    EXPECT_NE(output, "") << s.Header();
    EXPECT_GE(Search(true, s.Part(), &status), 1) << s.Part();
    EXPECT_EQ(status, 0) << s.Part();
    if (s.value != "DI1") {
      EXPECT_NE(output.find(" " + s.name + "\n"), std::string::npos) << s.name;
    }
  }
}

}  // namespace

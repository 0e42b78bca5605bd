// The program image and the shipped description set: no search may report a match inside the
// image, whatever it holds (the static C library's machine code holds header-like byte runs by
// chance), the bare image gives no match for any value or name of the set, and the program
// with the set appended finds every section and its description by value and by name.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
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

// A name part reaches a bracketed run only when it lies inside: three or more characters that
// can be typed as an argument, here taken as printable ASCII in a row.
bool HoldsTypeablePart(const std::string& run) {
  int in_row = 0;
  for (unsigned char c : run.substr(1, run.size() - 2)) {
    in_row = c >= 0x20 && c < 0x7f ? in_row + 1 : 0;
    if (in_row >= 3) {
      return true;
    }
  }
  return false;
}

// Every byte run that a search could take for a header, whatever part or value is asked for:
// a '[' whose first ']' within 48 bytes lies 8 or more bytes on with a comma between and a
// typeable part inside (the symbolic rules), and a '[' followed by an optional minus, digits
// and a comma (a numeric pattern, which needs only some ']' later on). Machine code holds
// bracketed runs of control bytes by chance; no typed name reaches them.
std::vector<std::string> HeaderLikeRuns(const std::string& image) {
  std::vector<std::string> runs;
  for (size_t open = image.find('['); open != std::string::npos; open = image.find('[', open + 1)) {
    const size_t close = image.find(']', open + 1);
    const size_t comma = image.find(',', open + 1);
    if (close != std::string::npos && close - open >= kMinHeaderSpan &&
        close - open <= kBlockOverlap && comma < close) {
      const std::string run = image.substr(open, close - open + 1);
      if (HoldsTypeablePart(run)) {
        runs.push_back(run);
      }
      continue;
    }
    size_t p = open + 1;
    if (p < image.size() && image[p] == '-') {
      p++;
    }
    const size_t digits = p;
    while (p < image.size() && image[p] >= '0' && image[p] <= '9') {
      p++;
    }
    if (p > digits && p < image.size() && image[p] == ',') {
      runs.push_back(image.substr(open, p - open + 1));
    }
  }
  return runs;
}

TEST(ProgramImage, HeaderLikeRunsAreFound) {
  EXPECT_EQ(HeaderLikeRuns("x[DI%d,Version]y[%d,%s]z[12,w[\x01T%\x01\x02\\\x01\x07,\x01]").size(),
            2u);
}

// What a search could be asked for to reach a run: its "[value," form as a numeric pattern, or
// every three-byte typeable part of it as a symbolic one (upper case, as tavlo asks).
std::vector<std::pair<bool, std::string>> SearchesReaching(const std::string& run) {
  std::vector<std::pair<bool, std::string>> searches;
  if (run.back() == ',') {
    searches.push_back({false, run});
    return searches;
  }
  for (size_t i = 1; i + 3 < run.size(); i++) {
    std::string part = run.substr(i, 3);
    bool typeable = true;
    for (char& c : part) {
      typeable = typeable && c >= 0x20 && c < 0x7f;
      c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    if (typeable) {
      searches.push_back({true, part});
    }
  }
  return searches;
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

// Every header-like run of the image, searched for in the bare image and in the program: the
// bare image reports nothing, and the program reports exactly what its text alone reports.
TEST_F(StoreImage, NoSearchReportsAMatchInsideTheImage) {
  const std::string bare = FileBytes(TAVLO_BARE_PATH);
  const std::string text_only = testing::TempDir() + "image_test_text.txt";
  {
    std::ofstream out(text_only, std::ios::binary);
    out << FileBytes(TAVLO_DESCRIPTIONS_PATH);
  }
  std::set<std::pair<bool, std::string>> searches;
  for (const std::string& run : HeaderLikeRuns(bare)) {
    for (const auto& search : SearchesReaching(run)) {
      searches.insert(search);
    }
  }
  int status = -1;
  std::vector<std::string> expected;
  Open(text_only.c_str());
  for (const auto& search : searches) {
    Search(search.first, search.second, &status);
    expected.push_back(output);
  }
  CloseDescriptions();
  Open(TAVLO_BARE_PATH);
  for (const auto& search : searches) {
    EXPECT_EQ(Search(search.first, search.second, &status), 0) << search.second;
    EXPECT_EQ(status, 0);
  }
  Search(true, "KXRC", &status);  // the image is taken by a scan, also when no run was found
  EXPECT_EQ(ImageEnd, static_cast<StoreOffset>(bare.size()));
  CloseDescriptions();
  Open(TAVLO_PROGRAM_PATH);
  size_t i = 0;
  for (const auto& search : searches) {
    Search(search.first, search.second, &status);
    EXPECT_EQ(output, expected[i++]) << search.second;
  }
  Search(true, "KXRC", &status);
  EXPECT_EQ(ImageEnd, static_cast<StoreOffset>(bare.size()));
  remove(text_only.c_str());
}

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

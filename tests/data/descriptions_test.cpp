// Rules that every shipped description set keeps, checked on the real data file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "keylist.h"
#include "zelk.h"

namespace {

struct Section {
  std::string header;  // "[value,name]"
  std::string value;   // text between "[" and ","
  std::string name;    // text between "," and "]"
  std::string text;    // description bytes, up to the next header's "["
  size_t offset;       // file offset of the header's "["
};

std::string ReadAll() {
  std::ifstream in(TAVLO_DESCRIPTIONS_PATH, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Splits the file into sections; the terminator "[end]" is the last one, with empty text.
std::vector<Section> Split(const std::string& data) {
  std::vector<Section> out;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t close = data.find(']', pos);
    size_t eol = data.find('\n', pos);
    if (data[pos] != '[' || close == std::string::npos || eol != close + 1) {
      ADD_FAILURE() << "no header line at offset " << pos;
      break;
    }
    Section s;
    s.offset = pos;
    s.header = data.substr(pos, close + 1 - pos);
    size_t comma = s.header.find(',');
    if (comma != std::string::npos) {
      s.value = s.header.substr(1, comma - 1);
      s.name = s.header.substr(comma + 1, s.header.size() - comma - 2);
    }
    size_t next = data.find('[', close + 2);
    if (next == std::string::npos)
      next = data.size();
    s.text = data.substr(close + 2, next - close - 2);
    out.push_back(s);
    pos = next;
  }
  return out;
}

class DescriptionSet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    data_ = new std::string(ReadAll());
    sections_ = new std::vector<Section>(Split(*data_));
  }
  static void TearDownTestSuite() {
    delete sections_;
    delete data_;
  }
  static std::vector<const Section*> Codes() {
    std::vector<const Section*> codes;
    for (const Section& s : *sections_)
      if (s.name.rfind("KX", 0) == 0)
        codes.push_back(&s);
    return codes;
  }
  static std::string* data_;
  static std::vector<Section>* sections_;
};

std::string* DescriptionSet::data_;
std::vector<Section>* DescriptionSet::sections_;

TEST_F(DescriptionSet, BytesAreLatin1TextWithLineFeedsOnly) {
  ASSERT_FALSE(data_->empty());
  for (size_t i = 0; i < data_->size(); ++i) {
    unsigned char c = static_cast<unsigned char>((*data_)[i]);
    bool ok = c == '\n' || (c >= 0x20 && c < 0x7F) || c >= 0xA0;
    ASSERT_TRUE(ok) << "byte " << int(c) << " at offset " << i;
  }
}

TEST_F(DescriptionSet, LayoutIsVersionCodesAndTerminator) {
  ASSERT_GE(sections_->size(), 3u);
  EXPECT_EQ(sections_->front().header, "[DI1,Version]");
  const Section& end = sections_->back();
  EXPECT_EQ(end.header, "[end]");
  EXPECT_EQ(end.offset + 6, data_->size()) << "[end] must be the last line, with one line feed";
  EXPECT_EQ(data_->substr(data_->size() - 6), "[end]\n");
}

TEST_F(DescriptionSet, HeadersAndDescriptionsFitTheReaders) {
  for (size_t i = 0; i + 1 < sections_->size(); ++i) {
    const Section& s = (*sections_)[i];
    const Section& next = (*sections_)[i + 1];
    SCOPED_TRACE(s.header);
    if (i > 0) {
      EXPECT_GE(s.header.size(), 9u);
      EXPECT_LE(s.header.size(), 49u);
    }
    // The description and the following header up to its "]" share a 4,096-byte window.
    EXPECT_LE(s.text.size() + next.header.size(), 4096u);
    EXPECT_FALSE(s.text.empty());
    EXPECT_EQ(s.text.back(), '\n');
    EXPECT_EQ(s.text.find(']'), std::string::npos);
    EXPECT_EQ(s.text.find('~'), std::string::npos) << "~ is the builder's line marker";
  }
}

TEST_F(DescriptionSet, ReasonCodeParagraphsKeepTheirConventions) {
  for (const Section* s : Codes()) {
    if (s->name.rfind("KXRC_", 0) != 0)
      continue;
    SCOPED_TRACE(s->header);
    std::string prev;
    size_t start = 0;
    bool first = true;
    while (start < s->text.size()) {
      size_t eol = s->text.find('\n', start);
      std::string line = s->text.substr(start, eol - start);
      start = eol + 1;
      if (!line.empty()) {
        ASSERT_GE(line.size(), 2u) << "paragraph line without text";
        EXPECT_EQ(line.back(), ' ') << line;
        EXPECT_NE(line[line.size() - 2], ' ') << line;
        if (line.rfind("* ", 0) == 0 || line.rfind("Corrective action:", 0) == 0) {
          EXPECT_TRUE(prev.empty() && !first) << line;
        }
        if (line.rfind("-- ", 0) == 0) {
          EXPECT_FALSE(prev.empty()) << line;
        }
      } else {
        EXPECT_FALSE(first) << "description starts with an empty line";
      }
      prev = line;
      first = false;
    }
    EXPECT_FALSE(prev.empty()) << "description ends with an empty line";
    EXPECT_NE(s->text.find("\nCorrective action: "), std::string::npos);
  }
}

// A reader must learn from every reason code with which completion code it comes, or that no
// call returns it (event codes, the application range); the corrective action opens with
// "None" or an instruction, never with a bare description of the situation.
TEST_F(DescriptionSet, ReasonCodesSayHowTheyAreReported) {
  for (const Section* s : Codes()) {
    if (s->name.rfind("KXRC_", 0) != 0)
      continue;
    SCOPED_TRACE(s->header);
    int v = std::stoi(s->value);
    bool applicationRange = v >= 900 && v <= 999;
    bool noCall = s->text.find("not returned by a call") != std::string::npos;
    if (!applicationRange && !noCall) {
      EXPECT_NE(s->text.find("KXCC_"), std::string::npos) << "no completion code stated";
    }
    size_t ca = s->text.find("\nCorrective action: ");
    ASSERT_NE(ca, std::string::npos);
    std::string first = s->text.substr(ca + 20, s->text.find(' ', ca + 20) - ca - 20);
    EXPECT_TRUE(first != "The" && first != "This" && first != "Nothing" && first != "Usually")
        << "corrective action opens with '" << first << "'";
  }
}

// Every code the library names has exactly one section under that name, in ascending order
// within each kind; 2192 also has its second name.
TEST_F(DescriptionSet, NamesExactlyTheLibrarysCodes) {
  std::vector<std::pair<int, std::string>> expected;
  char buf[64];
  for (int v = -1; v <= 2; ++v)
    expected.emplace_back(v, KXCompCodeMsg(v, buf));
  for (int v = 0; v <= 6200; ++v) {
    std::string name = KXReasonCodeMsg(v, buf);
    if (name.find("UNDEFINED") != std::string::npos || (v > 900 && v < 999))
      continue;
    expected.emplace_back(v, name);
    if (v == 2192)
      expected.emplace_back(v, "KXRC_STORE_FULL");
  }
  std::vector<std::pair<int, std::string>> actual;
  for (const Section* s : Codes())
    actual.emplace_back(std::stoi(s->value), s->name);
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(actual.size(), 350u);
}

// The windowed tool's key lists made from this set (as the builder makes them) stay within
// what its search reads, and the search finds every code by its value and by its name.
TEST_F(DescriptionSet, KeyListsServeTheWindowedSearch) {
  std::string numeric;
  std::string symbolic;
  long count = 0;
  for (const Section* s : Codes()) {
    ++count;
    int v = std::stoi(s->value);
    numeric += KeyListEntry(count, s->value);
    if (v > 9) {
      char hex[16];
      snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(v));
      numeric += KeyListEntry(count, hex);
    }
    symbolic += KeyListEntry(count, s->name);
  }
  EXPECT_LE(numeric.size(), 32767u);
  EXPECT_LE(symbolic.size(), 32767u);
  EXPECT_LT(count, 58 * 90) << "a record number would begin with \"[\"";
  long record = 0;
  for (const Section* s : Codes()) {
    ++record;
    std::vector<int> by_value;
    std::vector<int> by_name;
    KeyListNumericScan(numeric, s->value, count, &by_value);
    KeyListSymbolicScan(symbolic, s->name, count, &by_name);
    EXPECT_NE(std::find(by_value.begin(), by_value.end(), record), by_value.end()) << s->header;
    EXPECT_NE(std::find(by_name.begin(), by_name.end(), record), by_name.end()) << s->header;
  }
}

TEST_F(DescriptionSet, SizeIsInTheExpectedRange) {
  EXPECT_GE(data_->size(), 150000u);
  EXPECT_LE(data_->size(), 260000u);
}

}  // namespace

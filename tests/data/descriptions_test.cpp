// Rules that every shipped description set keeps, checked on the real data file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "contents/contents.h"
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

// The reason codes' sections (names starting "KXRC_") of the file, in file order.
std::vector<Section> ReasonCodeSections() {
  std::vector<Section> out;
  for (Section& s : Split(ReadAll()))
    if (s.name.rfind("KXRC_", 0) == 0)
      out.push_back(std::move(s));
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

// A guard against a truncated or runaway file; the third edition, with a headline for every
// reason code and its neighbours named, is about 285,000 bytes.
TEST_F(DescriptionSet, SizeIsInTheExpectedRange) {
  EXPECT_GE(data_->size(), 150000u);
  EXPECT_LE(data_->size(), 300000u);
}

}  // namespace

// The checks below read the set on their own, so that they do not depend on the fixture above.
namespace text_rules {

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Value of each code name, and the whole text of each value (2192 has two sections).
struct CodeTexts {
  std::vector<std::pair<std::string, std::string>> names;  // name, value
  std::vector<std::pair<std::string, std::string>> texts;  // value, text
  std::string ValueOf(const std::string& name) const {
    for (const auto& n : names)
      if (n.first == name)
        return n.second;
    return "";
  }
  std::string TextOf(const std::string& value) const {
    std::string all;
    for (const auto& t : texts)
      if (t.first == value)
        all += t.second;
    return all;
  }
  // True when the text of `from` names `to`, under any of the names of `to`'s value.
  bool Names(const std::string& from, const std::string& to) const {
    std::string text = TextOf(ValueOf(from));
    for (const auto& n : names) {
      if (n.second != ValueOf(to))
        continue;
      for (size_t at = text.find(n.first); at != std::string::npos;
           at = text.find(n.first, at + 1)) {
        char after = at + n.first.size() < text.size() ? text[at + n.first.size()] : ' ';
        if (!IsNameChar(after))
          return true;
      }
    }
    return false;
  }
};

CodeTexts ReadCodeTexts() {
  CodeTexts c;
  for (const Section& s : Split(ReadAll())) {
    if (s.name.rfind("KX", 0) != 0)
      continue;
    c.names.emplace_back(s.name, s.value);
    c.texts.emplace_back(s.value, s.text);
  }
  return c;
}

// Every reason code opens with a headline: the first sentence of its first line, at most 160
// bytes, says what happened and names the completion code it comes with, or that no call
// returns the code; a code that no call returns (900 and 999 among them) says so there.
TEST(DescriptionHeadlines, EveryReasonCodeOpensWithOne) {
  for (const Section& s : ReasonCodeSections()) {
    SCOPED_TRACE(s.header);
    std::string line = s.text.substr(0, s.text.find('\n'));
    size_t stop = line.find(". ");
    ASSERT_NE(stop, std::string::npos) << "first line holds no whole sentence";
    std::string headline = line.substr(0, stop + 1);
    EXPECT_LE(headline.size(), 160u) << headline;
    bool names_code = headline.find("KXCC_OK") != std::string::npos ||
                      headline.find("KXCC_WARNING") != std::string::npos ||
                      headline.find("KXCC_FAILED") != std::string::npos;
    bool no_call = headline.find("not returned by a call") != std::string::npos;
    EXPECT_TRUE(names_code || no_call) << headline;
    if (s.text.find("not returned by a call") != std::string::npos || s.value == "900" ||
        s.value == "999") {
      EXPECT_TRUE(no_call) << "headline does not say that no call returns the code: " << headline;
    }
  }
}

// The opening (the first line) names each completion code at most once: the sentences after
// the headline add to it rather than repeat it. A code is "this reason code", never "this
// reason". Where a corrective action speaks to both, the application comes before the
// administrator. The text never points to the glossary, which the reader of the tools lacks.
TEST(DescriptionVoice, OpeningsSayItOnceAndActionsKeepTheirOrder) {
  for (const Section& s : ReasonCodeSections()) {
    SCOPED_TRACE(s.header);
    std::string opening = s.text.substr(0, s.text.find('\n'));
    for (const std::string cc : {"KXCC_OK", "KXCC_WARNING", "KXCC_FAILED"}) {
      int named = 0;
      for (size_t at = opening.find(cc); at != std::string::npos; at = opening.find(cc, at + 1))
        named += at + cc.size() == opening.size() || !IsNameChar(opening[at + cc.size()]);
      EXPECT_LE(named, 1) << cc << " named " << named << " times in: " << opening;
    }
    std::string lower = s.text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (size_t at = lower.find("this reason"); at != std::string::npos;
         at = lower.find("this reason", at + 1)) {
      bool word = (at == 0 || !std::isalpha(static_cast<unsigned char>(lower[at - 1]))) &&
                  !std::isalpha(static_cast<unsigned char>(lower[at + 11]));
      EXPECT_FALSE(word && lower.compare(at + 11, 5, " code") != 0)
          << "'this reason' without 'code': " << s.text.substr(at, 40);
    }
    EXPECT_EQ(lower.find("glossary"), std::string::npos);
    std::string action = s.text.substr(s.text.find("\nCorrective action: ") + 1);
    size_t application = action.find("Application:");
    size_t administrator = action.find("Administrator:");
    if (application != std::string::npos && administrator != std::string::npos) {
      EXPECT_LT(application, administrator) << action;
    }
  }
}

// Checks one table of the glossary, from its heading to the next: each row separates the
// codes it tells apart by " / " (or "; "), and every code names every code of the other
// alternatives, so a reader who lands on the wrong one is sent to the right one. Returns the
// number of rows.
int CheckRowsNameEachOther(const std::string& glossary, const std::string& heading,
                           const CodeTexts& codes) {
  size_t table = glossary.find("## " + heading + "\n");
  EXPECT_NE(table, std::string::npos) << heading;
  if (table == std::string::npos)
    return 0;
  size_t table_end = glossary.find("\n## ", table);
  int rows = 0;
  size_t pos = table;
  while ((pos = glossary.find("\n| ", pos)) < table_end) {
    ++pos;
    std::string row = glossary.substr(pos, glossary.find('\n', pos) - pos);
    std::string cell = row.substr(row.find(" | ") + 3);
    // The alternatives of the row, each a list of code names.
    std::vector<std::vector<std::string>> alternatives(1);
    for (size_t i = 0; i < cell.size(); ++i) {
      if (cell.compare(i, 3, " / ") == 0 || cell.compare(i, 2, "; ") == 0) {
        alternatives.emplace_back();
      } else if (cell.compare(i, 5, "KXRC_") == 0) {
        size_t end = i;
        while (end < cell.size() && IsNameChar(cell[end]))
          ++end;
        std::string name = cell.substr(i, end - i);
        EXPECT_NE(codes.ValueOf(name), "") << "glossary names an unknown code " << name;
        alternatives.back().push_back(name);
        i = end - 1;
      }
    }
    rows += alternatives.size() > 1;
    for (size_t a = 0; a < alternatives.size(); ++a)
      for (size_t b = 0; b < alternatives.size(); ++b)
        for (const std::string& from : a == b ? std::vector<std::string>() : alternatives[a])
          for (const std::string& to : alternatives[b])
            EXPECT_TRUE(codes.ValueOf(from) == codes.ValueOf(to) || codes.Names(from, to))
                << from << " does not name " << to << " (" << row << ")";
  }
  return rows;
}

// The table of which code owns which condition, and the table of neighbour pairs, whose two
// codes a reader could take for each other.
TEST(DescriptionCrossReferences, GlossaryRowsNameEachOtherBothWays) {
  std::string path = TAVLO_DESCRIPTIONS_PATH;
  path = path.substr(0, path.rfind('/') + 1) + "GLOSSARY.md";
  std::ifstream in(path);
  std::string glossary((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(glossary.empty()) << path;
  CodeTexts codes = ReadCodeTexts();
  EXPECT_GE(CheckRowsNameEachOther(glossary, "Which code owns which condition", codes), 16);
  EXPECT_GE(CheckRowsNameEachOther(glossary, "Neighbour pairs", codes), 213);
}

// 2192 has two names: each section names the other, and the second is only a pointer.
TEST(DescriptionCrossReferences, TheSecondNameOf2192PointsToTheFirst) {
  CodeTexts codes = ReadCodeTexts();
  // 2192: the main section gives the second name; the second section points to the first.
  std::string main_text, second_text;
  for (const auto& t : codes.texts)
    if (t.first == "2192")
      (main_text.empty() ? main_text : second_text) = t.second;
  EXPECT_NE(main_text.find("KXRC_STORE_FULL"), std::string::npos);
  EXPECT_NE(second_text.find("KXRC_STORAGE_MEDIUM_FULL"), std::string::npos);
  EXPECT_LT(second_text.size(), main_text.size() / 2) << "the second name is only a pointer";
}

}  // namespace text_rules

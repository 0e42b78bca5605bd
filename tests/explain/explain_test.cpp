// The mention reader and the streaming writer of tavlo-explain, over a small hand-made book.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "explain.h"

namespace {

struct Code {
  int32_t value;
  const char* name;
  const char* text;
};

const Code kCodes[] = {
    {-1, "KXCC_UNKNOWN", "Not known (KXCC_UNKNOWN)\nMore.\n"},
    {2, "KXCC_FAILED", "Call failed. (KXCC_FAILED)\nMore.\n"},
    {0, "KXRC_NONE", "Nothing to report. More. \n"},
    {900, "KXRC_APPL_FIRST", "Lowest application value. \n"},
    {2035, "KXRC_NOT_AUTHORIZED", "Not allowed: refused. Second sentence. \n"},
    {2192, "KXRC_STORAGE_MEDIUM_FULL", "Storage full. \n"},
    {2192, "KXRC_STORE_FULL", "Second name. \n"},
};

CodeBook MakeBook() {
  CodeBook book;
  for (const Code& c : kCodes) {
    StoreSection s{};
    s.value = c.value;
    s.name = c.name;
    s.name_len = static_cast<int>(strlen(c.name));
    s.kind = c.name[2];
    s.text = c.text;
    s.text_len = static_cast<long>(strlen(c.text));
    book.Add(s);
  }
  book.Finish();
  return book;
}

// The names (or "KXRC_APPL_FIRST + n") that the explanation lines of a mention at the line's start
// give, joined by blanks; "" for no mention.
std::string MentionAt(const CodeBook& book, const std::string& line) {
  const auto* p = reinterpret_cast<const unsigned char*>(line.data());
  const Mention m = ReadMention(book, p, p + line.size());
  std::string names;
  if (m.length == 0) {
    return names;
  }
  for (int id : *m.ids) {
    // "    Reason Code 2035 X7F3 NAME: headline": the name follows the eighth blank.
    const std::string& text = book.Text(id);
    size_t at = 0;
    for (int blanks = 0; blanks < 8; blanks++) {
      at = text.find(' ', at) + 1;
    }
    names += (names.empty() ? "" : " ") + text.substr(at, text.find(": ") - at);
  }
  return names + "/" + std::to_string(m.length);
}

TEST(ReadMention, KeywordsSeparatorsAndNumberForms) {
  const CodeBook book = MakeBook();
  struct Case {
    const char* line;
    const char* expected;  // names/length, or "" for no mention
    const char* why;
  } cases[] = {
      {"reason code 2035 x", "KXRC_NOT_AUTHORIZED/16", "two-word keyword"},
      {"RC=2035", "KXRC_NOT_AUTHORIZED/7", "short keyword, '='"},
      {"Reason(2035)", "KXRC_NOT_AUTHORIZED/11", "'(' does not need ')' to be read"},
      {"rsn: is 2035", "KXRC_NOT_AUTHORIZED/12", "':' and the word is"},
      {"reason code is 2035", "KXRC_NOT_AUTHORIZED/19", "is after a two-word keyword"},
      {"ReasonCode=2035", "KXRC_NOT_AUTHORIZED/15", "two words run together"},
      {"reason_code 2035", "KXRC_NOT_AUTHORIZED/16", "two words joined by '_'"},
      {"rc X'07F3'", "KXRC_NOT_AUTHORIZED/10", "quoted hexadecimal"},
      {"rc x'7f3'", "KXRC_NOT_AUTHORIZED/9", "lower case, no leading zero"},
      {"rc 0x7F3", "KXRC_NOT_AUTHORIZED/8", "0x form"},
      {"rc X7F3", "KXRC_NOT_AUTHORIZED/7", "bare X form after a separator"},
      {"rc2035", "KXRC_NOT_AUTHORIZED/6", "no separator before a decimal"},
      {"rcX7F3", "", "no separator before an X form: a word"},
      {"reason 2192", "KXRC_STORAGE_MEDIUM_FULL KXRC_STORE_FULL/11", "both names of a value"},
      {"reason 950", "KXRC_APPL_FIRST + 50/10", "application range"},
      {"reason 900", "KXRC_APPL_FIRST/10", "the range's first value has its own section"},
      {"reason 999", "", "past the range, no section here"},
      {"CompCode=2", "KXCC_FAILED/10", "completion keyword"},
      {"completion code: -1", "KXCC_UNKNOWN/19", "negative value"},
      {"cc 0", "", "no completion code 0 in this book"},
      {"rc 0", "KXRC_NONE/4", "reason 0"},
      {"cc 2035", "", "the keyword's kind decides"},
      {"reason 9999", "", "unknown code"},
      {"reason 2035abc", "", "number runs into a word"},
      {"reason 2035.5", "", "a fraction"},
      {"reason 2035.", "KXRC_NOT_AUTHORIZED/11", "a full stop ends it"},
      {"reason 02035", "KXRC_NOT_AUTHORIZED/12", "leading zero"},
      {"reason 00000002035", "", "more digits than a code has"},
      {"rc X'7F3", "", "quote not closed"},
      {"rc 0x", "", "no digit"},
      {"reasons 2035", "", "longer word"},
      {"rcv 2035", "", "longer word, short keyword"},
      {"reason 4294967296", "", "beyond 32 bits"},
      {"kxrc_not_authorized rest", "KXRC_NOT_AUTHORIZED/19", "name in any case"},
      {"KXRC_NOT_AUTHORIZEDX", "", "name inside a longer word"},
      {"KXRC_NOT", "", "part of a name"},
      {"KXRC_STORE_FULL", "KXRC_STORE_FULL/15", "a name gives its own section only"},
      {"KXRC_APPL_FIRST", "KXRC_APPL_FIRST/15", "the range's name"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MentionAt(book, c.line), c.expected) << c.line << " (" << c.why << ")";
  }
}

TEST(ReadMention, ReadsOnlyWithinItsWindow) {
  const CodeBook book = MakeBook();
  const std::string line = "reason 2035 and on";
  const auto* p = reinterpret_cast<const unsigned char*>(line.data());
  EXPECT_EQ(ReadMention(book, p, p + 9).length, 0) << "number cut by the window's end";
  EXPECT_EQ(ReadMention(book, p, p + 11).length, 11) << "window ends just after it";
}

class StringSink : public OutputSink {
 public:
  void Write(const char* data, size_t n) override {
    text.append(data, n);
  }
  std::string text;
};

// Runs the explainer over the inputs, each fed in pieces of the given size.
std::string Explain(const CodeBook& book, bool only, const std::vector<std::string>& inputs,
                    size_t piece, long* explained = nullptr) {
  StringSink sink;
  Explainer ex(book, only, &sink);
  for (const std::string& in : inputs) {
    for (size_t at = 0; at < in.size();) {
      const size_t n = std::min({piece, in.size() - at, ex.SpaceSize()});
      memcpy(ex.Space(), in.data() + at, n);
      ex.Commit(n);
      at += n;
    }
    ex.EndOfInput();
  }
  if (explained != nullptr) {
    *explained = ex.Explained();
  }
  return sink.text;
}

TEST(Explainer, WritesLinesUnchangedAndExplainsEachCodeOnce) {
  const CodeBook book = MakeBook();
  const std::string e2035 =
      "    Reason Code 2035 X7F3 KXRC_NOT_AUTHORIZED: Not allowed: refused.\n";
  const std::string e2 = "    Completion Code 2 X2 KXCC_FAILED: Call failed. (KXCC_FAILED)\n";
  const std::string long_line = std::string(300000, 'a') + " rc 2035\n";
  struct Case {
    std::vector<std::string> inputs;
    bool only;
    std::string expected;
    long explained;
    const char* why;
  } cases[] = {
      {{"a\nrc 2035 RC=2035 cc 2\nb\n"},
       false,
       "a\nrc 2035 RC=2035 cc 2\n" + e2035 + e2 + "b\n",
       1,
       "one line per distinct code, in order"},
      {{"a\nrc 2035\r\nb"}, true, "rc 2035\r\n" + e2035, 1, "-o; CR stays in the line"},
      {{"x rc 2035"}, false, "x rc 2035\n" + e2035, 1, "last line without a line feed"},
      {{"rc 1\nno"}, false, "rc 1\nno", 0, "nothing added when nothing is explained"},
      {{std::string("a\0b\xff rc 2035\n", 13)},
       false,
       std::string("a\0b\xff rc 2035\n", 13) + e2035,
       1,
       "binary bytes pass"},
      {{"rc", " 2035\n"}, false, "rc 2035\n", 0, "no mention across two inputs"},
      {{"rc 2035", "x\n"}, false, "rc 2035\n" + e2035 + "x\n", 1, "each input ends its line"},
      {{long_line}, true, long_line + e2035, 1, "-o holds a long line's start"},
      {{long_line}, false, long_line + e2035, 1, "a long line is streamed"},
  };
  for (const Case& c : cases) {
    for (size_t piece : {size_t{1}, size_t{7}, size_t{65536}}) {
      long explained = -1;
      EXPECT_EQ(Explain(book, c.only, c.inputs, piece, &explained), c.expected)
          << c.why << ", pieces of " << piece;
      EXPECT_EQ(explained, c.explained) << c.why;
    }
  }
}

}  // namespace

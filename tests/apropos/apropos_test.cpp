// The word search of tavlo-apropos and the store's walk over every section.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "apropos.h"
#include "store.h"

namespace {

TEST(WordFinder, FindsAWordInAnyCaseAsPartOfTheText) {
  struct Case {
    const char* word;
    std::string text;
    bool found;
    const char* why;
  } cases[] = {
      {"queue", "The QUEUE is full", true, "the text's case does not matter"},
      {"QuEuE", "the queue", true, "nor the word's"},
      {"full", "fully", true, "part of a longer word"},
      {"full", "ful", false, "text shorter than the word"},
      {"full", "fulL", true, "the word ends the text"},
      {"a", "xyzA", true, "one-byte word"},
      {"", "text", true, "an empty word is in every text"},
      {"@x", "`x", false, "only letters fold: @ is not `"},
      {"_a",
       "\x7f"
       "a",
       false, "nor is _ DEL"},
      {"[2", "{2", false, "nor [ {"},
      {"\xc9t\xc9", "\xe9t\xe9", false, "bytes beyond ASCII compare exactly"},
      {"\xaez", "Zarvex\xaeZ", true, "the registered sign passes"},
      {"kxrc_q", "KXRC_Q_FULL", true, "underscores compare exactly"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WordFinder(c.word).In(c.text.data(), static_cast<long>(c.text.size())), c.found)
        << c.why;
  }
}

// Eight positions are tested at a time: every position of a text, near and across the eighth
// byte, agrees with a plain comparison, over texts made of letters in both cases and the bytes
// that differ from them only in the case bit.
TEST(WordFinder, AgreesWithAPlainSearchAtEveryPosition) {
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  const char alphabet[] = "aAbB@`";
  std::mt19937 random(2053);
  for (int round = 0; round < 3000; round++) {
    std::string text(random() % 40, ' ');
    for (char& c : text) {
      c = alphabet[random() % 6];
    }
    std::string word(1 + random() % 4, ' ');
    for (char& c : word) {
      c = alphabet[random() % 6];
    }
    bool expected = false;
    for (size_t at = 0; at + word.size() <= text.size() && !expected; at++) {
      expected = true;
      for (size_t i = 0; i < word.size(); i++) {
        expected = expected && fold(text[at + i]) == fold(word[i]);
      }
    }
    ASSERT_EQ(WordFinder(word).In(text.data(), static_cast<long>(text.size())), expected)
        << "word '" << word << "' text '" << text << "'";
  }
}

TEST(HeadlineLength, EndsAtTheFirstLineFeedOrFullStopBeforeABlank) {
  struct Case {
    std::string text;
    long length;
  } cases[] = {
      {"Call failed (KXCC_FAILED)\nThe call. More.", 25},
      {"First sentence. Second one.", 15},
      {"Version 1.2 is out. Rest", 19},  // a full stop inside a number goes on
      {"Ends with a stop.", 17},
      {"No stop at all", 14},
      {"Stop before a line end.\nNext", 23},
      {"", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HeadlineLength(c.text.data(), static_cast<long>(c.text.size())), c.length) << c.text;
  }
}

TEST(SplitWords, SplitsAtBlanksAndDropsEmptyWords) {
  const char* args[] = {"queue full", "  x\t", "", "not_auth"};
  EXPECT_EQ(SplitWords(args, 4), (std::vector<std::string>{"queue", "full", "x", "not_auth"}));
}

struct Seen {
  int32_t value;
  std::string name;
  char kind;
  std::string text;
  bool cut = false;
  bool operator==(const Seen& o) const {
    return value == o.value && name == o.name && kind == o.kind && text == o.text && cut == o.cut;
  }
};

void Record(const StoreSection& s, void* context) {
  static_cast<std::vector<Seen>*>(context)->push_back(
      {s.value, std::string(s.name, static_cast<size_t>(s.name_len)), s.kind,
       std::string(s.text, static_cast<size_t>(s.text_len)), s.text_cut});
}

// Walks a store made of `pad` zero bytes and the text.
std::vector<Seen> Walk(size_t pad, const std::string& text, int* status) {
  char path[] = "/tmp/apropos_walk_XXXXXX";
  int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  const std::string bytes = std::string(pad, '\0') + text;
  EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  close(fd);
  std::vector<Seen> seen;
  EXPECT_EQ(OpenDescriptions(path), kStoreOk);
  *status = WalkSections(Record, &seen);
  CloseDescriptions();
  unlink(path);
  return seen;
}

// Every section once, whole, wherever the blocks (65,536 bytes, 48 shared) cut the text: the
// text is moved across a block boundary byte by byte, so that the boundary falls in every part
// of each header and description (a description that the block's end cuts is read through the
// description window).
TEST(WalkSections, HandsOverEverySectionOnceWhereverABlockEnds) {
  const std::string text =
      "[DI1,Version]\nSet.\n[2035,KXRC_NOT_AUTHORIZED]\nShort description. \n"
      "[2,KXCC_FAILED]\nCall failed (KXCC_FAILED)\nTwo lines.\n[6129,KXRC_REFERENCE_ERROR]\n"
      "Last. \n[end]\n";
  const std::vector<Seen> expected = {
      {0, "Version", 'r', "Set.\n"},  // no code: kind 'r'
      {2035, "KXRC_NOT_AUTHORIZED", 'R', "Short description. \n"},
      {2, "KXCC_FAILED", 'C', "Call failed (KXCC_FAILED)\nTwo lines.\n"},
      {6129, "KXRC_REFERENCE_ERROR", 'R', "Last. \n"}};  // "[end]" is too short for a header
  for (size_t pad = kBlockStep - text.size(); pad <= static_cast<size_t>(kBlockSize); pad++) {
    int status = -1;
    EXPECT_EQ(Walk(pad, text, &status), expected) << "pad " << pad;
    EXPECT_EQ(status, kStoreOk) << "pad " << pad;
  }
}

// The walk takes every header that tavlo's symbolic search takes: '[', a comma, and the first
// ']' within 48 bytes lying 8 or more bytes on, whatever the value field and the rest of the
// line hold.
TEST(WalkSections, TakesEveryHeaderTheSymbolicSearchTakes) {
  struct Row {
    std::string header;
    bool taken;
  } rows[] = {
      {"[2035,KXRC_NOT_AUTHORIZED]\n", true},
      {"[-1,KXCC_UNKNOWN]\n", true},
      {"[DI1,Version]\n", true},
      {"[2192,KXRC_STORE_FULL]\r\n", true},  // CR LF, which the format does not allow
      {"[ 5,KXRC_BLANKY]\n", true},          // a blank before the value
      {"[+8,KXRC_PLUS]\n", true},            // a plus sign
      {"[2036,KXRC_LINE_GOES_ON] more\n", true},
      {"[,KXRC_NO_VALUE]\n", true},
      {"[12,KXRC]\n", true},  // ']' 8 bytes after '['
      {"[1,KXRC]\n", false},  // 7
      {"[2037,KXRC_A_NAME_LONGER_THAN_THE_FORTY_EIGHT_BYTES]\n", false},
      {"[2038 KXRC_NO_COMMA]\n", false},
  };
  std::string text;
  std::vector<std::string> expected;
  for (const Row& r : rows) {
    text += r.header + "Text.\n";
    if (r.taken) {
      const size_t comma = r.header.find(',');
      expected.push_back(r.header.substr(comma + 1, r.header.find(']') - comma - 1));
    }
  }
  int status = -1;
  std::vector<std::string> names;
  for (const Seen& s : Walk(0, text + "[end]\n", &status)) {
    names.push_back(s.name);
  }
  EXPECT_EQ(status, kStoreOk);
  EXPECT_EQ(names, expected);
}

// A description that no ']' ends within its window is handed over cut, once, and the walk goes
// on with the sections after it, in the same block and in later ones.
TEST(WalkSections, HandsOverADescriptionLongerThanTheWindowCutAndGoesOn) {
  const std::string window(kDescWindowSize, 'x');
  std::string text = "[2035,KXRC_NOT_AUTHORIZED]\n" + window + "\n[2036,KXRC_NEXT]\nShort.\n";
  while (text.size() < 70000) {
    text += "[2040,KXRC_FILLER]\nFiller.\n";
  }
  text += "[2037,KXRC_LATER]\nLater.\n[end]\n";
  for (size_t pad : {size_t{0}, static_cast<size_t>(kBlockStep) - 100}) {
    int status = -1;
    const std::vector<Seen> seen = Walk(pad, text, &status);
    EXPECT_EQ(status, kStoreOk);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_TRUE(seen[0] == (Seen{2035, "KXRC_NOT_AUTHORIZED", 'R', window, true})) << pad;
    EXPECT_TRUE(seen[1] == (Seen{2036, "KXRC_NEXT", 'R', "Short.\n", false})) << pad;
    EXPECT_TRUE(seen.back() == (Seen{2037, "KXRC_LATER", 'R', "Later.\n", false})) << pad;
  }
}

}  // namespace

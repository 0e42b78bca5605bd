// explain: finds the codes that the lines of a log mention and writes each line unchanged,
// followed by one explanation line for each distinct code it mentions.
//
// A mention is, with letters in any case:
//   - a whole-word symbolic name of the set (KXRC_Q_FULL, kxcc_failed);
//   - a reason-code keyword ("reason code", "reason", "rc", "rsn") or a completion-code keyword
//     ("completion code", "compcode", "cc") as a whole word, then any of blanks, ':', '=', '('
//     and the word "is", then a number: decimal (a '-' may lead it), or hexadecimal as X'07F3',
//     0x7F3 or, after a separator, X7F3. "reason code" and "completion code" may also be
//     written without a blank or with an '_' ("ReasonCode", "reason_code"). The number must
//     end a word, and a decimal one may not go on as a fraction ("rc 2.5"). The whole mention
//     lies within kMentionSpan bytes of its first one.
// A bare number is never a mention, and a number that is no code of the keyword's kind is left
// alone. A reason code from 901 to 998 is explained as an offset from KXRC_APPL_FIRST, with
// that code's headline.
//
// Operations
//   CodeBook
//     .Load()                 walks the open store (store.h) once and makes every code's
//                             explanation line; the store's status
//     .Add(section)           takes one section of the walk (codes only)
//     .Finish()               adds the 901..998 entries and the index of first letters
//     .Codes()                the number of code sections taken
//     .Text(id)               an explanation line: four blanks, the code line as tavlo prints
//                             it, ": ", the headline, a line feed
//   ReadMention(book, p, end) the mention that starts at p, a word start, read within
//                             [p, end): its length and the explanations it names, or length 0
//   Explainer(book, only, out)  the streaming writer; only: write just the lines that mention
//                             a code
//     .Space(), .SpaceSize()  where the next input bytes go, and how many fit
//     .Commit(n)              n bytes were put there: every line that is complete is written
//     .EndOfInput()           one input ends: its last line is written even without a line
//                             feed (one is added only when explanations follow it)
//     .Explained()            lines explained so far
// Memory is fixed whatever the lines' lengths: a 64 KiB buffer, and with only, the start of a
// line that has no mention yet up to 256 KiB, beyond which it is held in a temporary file.
#ifndef TAVLO_EXPLAIN_H
#define TAVLO_EXPLAIN_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store.h"

constexpr long kMentionSpan = 128;

class CodeBook {
 public:
  int Load();
  void Add(const StoreSection& s);
  void Finish();
  long Codes() const {
    return codes_;
  }
  const std::string& Text(int id) const {
    return texts_[static_cast<size_t>(id)];
  }
  size_t Size() const {
    return texts_.size();
  }
  bool MayStartName(unsigned char c) const {
    return name_start_[c];
  }
  // The explanations of a name given in upper case, or of a value of kind 'C' or 'R'; null
  // when none.
  const std::vector<int>* ByName(std::string_view upper) const;
  const std::vector<int>* ByValue(char kind, int32_t value) const;
  size_t LongestName() const {
    return longest_name_;
  }

 private:
  static int64_t Key(char kind, int32_t value) {
    return (kind == 'C' ? INT64_C(1) << 32 : 0) + static_cast<int64_t>(value) + (INT64_C(1) << 31);
  }

  std::vector<std::string> texts_;
  std::vector<std::string> names_;  // upper case; the index's keys view into these
  std::unordered_map<std::string_view, std::vector<int>> by_name_;
  std::unordered_map<int64_t, std::vector<int>> by_value_;
  bool name_start_[256] = {};
  size_t longest_name_ = 0;
  long codes_ = 0;
  std::string appl_headline_;
  bool has_appl_ = false;
};

struct Mention {
  long length;                  // 0: none
  const std::vector<int>* ids;  // the explanations, in the order they are written
};

Mention ReadMention(const CodeBook& book, const unsigned char* p, const unsigned char* end);

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void Write(const char* data, size_t n) = 0;
};

class Explainer {
 public:
  Explainer(const CodeBook& book, bool only_mentions, OutputSink* out);
  ~Explainer();
  Explainer(const Explainer&) = delete;
  Explainer& operator=(const Explainer&) = delete;
  char* Space() {
    return buf_.data() + have_;
  }
  size_t SpaceSize() const {
    return buf_.size() - have_;
  }
  void Commit(size_t n);
  void EndOfInput();
  long Explained() const {
    return explained_;
  }

 private:
  size_t Scan(size_t limit);
  void EndLine(const char* tail, size_t n, bool add_newline);
  void Hold(const char* data, size_t n);
  void WriteHeld();
  void ClearHeld();

  const CodeBook& book_;
  bool only_;
  OutputSink* out_;
  std::vector<char> buf_;
  size_t have_ = 0;
  bool prev_word_ = false;  // the byte before buf_[0] is a word byte of the current line
  std::vector<int> line_ids_;
  std::vector<uint32_t> stamp_;  // the line that last named each explanation
  uint32_t line_no_ = 1;
  long explained_ = 0;
  std::string held_;               // with only: the current line's bytes from earlier buffers
  FILE* held_file_ = nullptr;      // ... once there are more than fit in memory
  bool held_file_failed_ = false;  // a write to it failed: the rest of the line stays in memory
  unsigned char classes_[256];     // kWord, kStart, kLineEnd of each byte (explain.cpp)
};

#endif

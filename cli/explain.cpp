// explain: the code book, the mention reader and the streaming writer.
#include "explain.h"

#include <algorithm>
#include <cstring>

#include "apropos.h"

namespace {

constexpr int32_t kApplFirst = 900;  // application-defined reason codes lie above it ...
constexpr int32_t kApplLast = 999;   // ... and below this one
constexpr size_t kChunk = 262144;
constexpr size_t kHeldInMemory = 256 * 1024;
constexpr int kMaxDecimalDigits = 10;
constexpr int kMaxHexDigits = 8;

// Byte classes: kWord for letters, digits and '_'; kStart for a byte that may begin a keyword
// or a name; kLineEnd for the line feed.
constexpr unsigned char kWord = 1;
constexpr unsigned char kStart = 2;
constexpr unsigned char kLineEnd = 4;

bool IsWord(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t';
}

unsigned char Lower(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

unsigned char Upper(unsigned char c) {
  return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

int HexDigit(unsigned char c) {
  if (IsDigit(c)) {
    return c - '0';
  }
  const unsigned char l = Lower(c);
  return l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
}

// A keyword in lower case; a blank in it stands for a gap of blanks, one '_', or nothing.
struct Keyword {
  const char* text;
  char kind;
};
// Longest first, so that "reason code 2035" is not read as "reason" followed by a word.
constexpr Keyword kKeywords[] = {
    {"completion code", 'C'},
    {"reason code", 'R'},
    {"compcode", 'C'},
    {"reason", 'R'},
    {"rsn", 'R'},
    {"rc", 'R'},
    {"cc", 'C'},
};

// Where the keyword read at p ends, or null.
const unsigned char* MatchKeyword(const char* kw, const unsigned char* p,
                                  const unsigned char* end) {
  for (; *kw != '\0'; kw++) {
    if (*kw == ' ') {
      if (p < end && *p == '_') {
        p++;
      } else {
        while (p < end && IsBlank(*p)) {
          p++;
        }
      }
    } else if (p < end && Lower(*p) == static_cast<unsigned char>(*kw)) {
      p++;
    } else {
      return nullptr;
    }
  }
  return p;
}

// The separators after a keyword: blanks, ':', '=', '(' and the word "is" after a blank.
const unsigned char* SkipSeparators(const unsigned char* p, const unsigned char* end) {
  while (p < end) {
    if (IsBlank(*p) || *p == ':' || *p == '=' || *p == '(') {
      p++;
    } else if (IsBlank(p[-1]) && end - p >= 2 && Lower(p[0]) == 'i' && Lower(p[1]) == 's' &&
               (end - p == 2 || !IsWord(p[2]))) {
      p += 2;
    } else {
      break;
    }
  }
  return p;
}

// Reads the number at p: its value and where it ends, or null. A number is no mention when
// a word byte follows it, when it has more digits than a 32-bit code holds, or when a decimal
// one goes on as a fraction.
const unsigned char* ReadNumber(const unsigned char* p, const unsigned char* end, bool separated,
                                int32_t* value) {
  const unsigned char* q = p;
  int base = 10;
  bool quoted = false;
  if (end - q >= 2 && q[0] == '0' && Lower(q[1]) == 'x') {
    base = 16;
    q += 2;
  } else if (separated && q < end && Lower(*q) == 'x') {
    base = 16;
    q++;
    if (q < end && *q == '\'') {
      quoted = true;
      q++;
    }
  }
  bool negative = false;
  if (base == 10 && q < end && *q == '-') {
    negative = true;
    q++;
  }
  const unsigned char* digits = q;
  uint64_t v = 0;
  if (base == 10) {
    while (q < end && IsDigit(*q)) {
      v = v * 10 + static_cast<uint64_t>(*q - '0');
      if (++q - digits > kMaxDecimalDigits) {
        return nullptr;
      }
    }
  } else {
    while (q < end && HexDigit(*q) >= 0) {
      v = v * 16 + static_cast<uint64_t>(HexDigit(*q));
      if (++q - digits > kMaxHexDigits) {
        return nullptr;
      }
    }
  }
  if (q == digits) {
    return nullptr;
  }
  if (quoted) {
    if (q == end || *q != '\'') {
      return nullptr;
    }
    q++;
  }
  if (q < end && IsWord(*q)) {
    return nullptr;
  }
  if (base == 10 && end - q >= 2 && q[0] == '.' && IsDigit(q[1])) {
    return nullptr;
  }
  if (base == 16) {
    *value = static_cast<int32_t>(static_cast<uint32_t>(v));
  } else {
    const int64_t s = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
    if (s < INT32_MIN || s > INT32_MAX) {
      return nullptr;
    }
    *value = static_cast<int32_t>(s);
  }
  return q;
}

Mention ReadName(const CodeBook& book, const unsigned char* p, const unsigned char* end) {
  const unsigned char* q = p;
  char upper[64];
  const size_t longest = book.LongestName() < sizeof upper ? book.LongestName() : sizeof upper;
  while (q < end && IsWord(*q)) {
    if (static_cast<size_t>(q - p) == longest) {
      return {0, nullptr};
    }
    upper[q - p] = static_cast<char>(Upper(*q));
    q++;
  }
  const std::vector<int>* ids = book.ByName(std::string_view(upper, static_cast<size_t>(q - p)));
  return {ids != nullptr ? q - p : 0, ids};
}

Mention ReadKeyword(const CodeBook& book, const unsigned char* p, const unsigned char* end) {
  for (const Keyword& kw : kKeywords) {
    const unsigned char* q = MatchKeyword(kw.text, p, end);
    if (q == nullptr || (q < end && IsWord(*q) && !IsDigit(*q))) {
      continue;  // not this keyword, or it goes on as a longer word ("reasons", "rcv")
    }
    const unsigned char* n = SkipSeparators(q, end);
    int32_t value = 0;
    const unsigned char* after = ReadNumber(n, end, n > q, &value);
    if (after == nullptr) {
      return {0, nullptr};
    }
    const std::vector<int>* ids = book.ByValue(kw.kind, value);
    return {ids != nullptr ? after - p : 0, ids};
  }
  return {0, nullptr};
}

// The headline of a section: a completion code's title line, a reason code's first sentence;
// without the blanks that end it.
std::string Headline(const StoreSection& s) {
  long n = 0;
  if (s.kind == 'C') {
    const void* nl = memchr(s.text, '\n', static_cast<size_t>(s.text_len));
    n = nl != nullptr ? static_cast<const char*>(nl) - s.text : s.text_len;
  } else {
    n = HeadlineLength(s.text, s.text_len);
  }
  while (n > 0 && (IsBlank(static_cast<unsigned char>(s.text[n - 1])) || s.text[n - 1] == '\r' ||
                   s.text[n - 1] == '\n')) {
    n--;
  }
  return std::string(s.text, static_cast<size_t>(n));
}

std::string ExplanationLine(const char* code_line, const std::string& headline) {
  return "    " + std::string(code_line) + ": " + headline + "\n";
}

}  // namespace

// ---- the code book

void CodeBook::Add(const StoreSection& s) {
  if (s.kind != 'C' && s.kind != 'R') {
    return;
  }
  codes_++;
  char line[128];
  if (FormatCodeLine(line, sizeof line, s.value, s.name, s.name_len) == 0) {
    return;
  }
  const std::string headline = Headline(s);
  const int id = static_cast<int>(texts_.size());
  texts_.push_back(ExplanationLine(line, headline));
  std::string upper(s.name, static_cast<size_t>(s.name_len));
  for (char& c : upper) {
    c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
  }
  names_.push_back(upper);
  by_value_[Key(s.kind, s.value)].push_back(id);
  if (s.kind == 'R' && s.value == kApplFirst && !has_appl_) {
    has_appl_ = true;
    appl_headline_ = headline;
  }
}

void CodeBook::Finish() {
  // Names are indexed once every section is in: the index's keys view into names_.
  for (size_t i = 0; i < names_.size(); i++) {
    const std::string& name = names_[i];
    if (name.empty() || by_name_.count(name) != 0) {
      continue;  // a name given twice explains as its first section
    }
    by_name_[name].push_back(static_cast<int>(i));
    name_start_[static_cast<unsigned char>(name[0])] = true;
    name_start_[Lower(static_cast<unsigned char>(name[0]))] = true;
    longest_name_ = name.size() > longest_name_ ? name.size() : longest_name_;
  }
  if (!has_appl_) {
    return;
  }
  for (int32_t v = kApplFirst + 1; v < kApplLast; v++) {
    char line[64];
    snprintf(line, sizeof line, "Reason Code %d X%X KXRC_APPL_FIRST + %d", static_cast<int>(v),
             static_cast<unsigned>(v), static_cast<int>(v - kApplFirst));
    std::vector<int>& ids = by_value_[Key('R', v)];
    if (ids.empty()) {  // a section of its own, should a set have one, comes first
      ids.push_back(static_cast<int>(texts_.size()));
      texts_.push_back(ExplanationLine(line, appl_headline_));
    }
  }
}

int CodeBook::Load() {
  const int status = WalkSections(
      [](const StoreSection& s, void* book) { static_cast<CodeBook*>(book)->Add(s); }, this);
  Finish();
  return status;
}

const std::vector<int>* CodeBook::ByName(std::string_view upper) const {
  const auto it = by_name_.find(upper);
  return it != by_name_.end() ? &it->second : nullptr;
}

const std::vector<int>* CodeBook::ByValue(char kind, int32_t value) const {
  const auto it = by_value_.find(Key(kind, value));
  return it != by_value_.end() ? &it->second : nullptr;
}

// ---- the mention reader

Mention ReadMention(const CodeBook& book, const unsigned char* p, const unsigned char* end) {
  if (p >= end) {
    return {0, nullptr};
  }
  if (book.MayStartName(*p)) {
    const Mention m = ReadName(book, p, end);
    if (m.length > 0) {
      return m;
    }
  }
  const unsigned char c = Lower(*p);
  if (c == 'r' || c == 'c') {
    return ReadKeyword(book, p, end);
  }
  return {0, nullptr};
}

// ---- the streaming writer

Explainer::Explainer(const CodeBook& book, bool only_mentions, OutputSink* out)
    : book_(book),
      only_(only_mentions),
      out_(out),
      buf_(kChunk + kMentionSpan),
      stamp_(book.Size(), 0) {
  for (int c = 0; c < 256; c++) {
    const auto u = static_cast<unsigned char>(c);
    const bool start = book.MayStartName(u) || Lower(u) == 'r' || Lower(u) == 'c';
    classes_[c] = static_cast<unsigned char>((IsWord(u) ? kWord : 0) | (start ? kStart : 0) |
                                             (u == '\n' ? kLineEnd : 0));
  }
}

Explainer::~Explainer() {
  ClearHeld();
}

// Scans buf_ from its start to at least limit: every line that ends there and mentions a code
// is written with its explanations. Returns where the scan stopped (a mention may take it past
// limit). Lines without a mention are written in one piece with the next one that has one, or
// at the scan's end; with only, they are dropped.
size_t Explainer::Scan(size_t limit) {
  const unsigned char* cls = classes_;
  const auto* b = reinterpret_cast<const unsigned char*>(buf_.data());
  const unsigned char* data_end = b + have_;
  size_t from = 0;  // the first byte not yet written (or, with only, held)
  size_t i = 0;
  for (;;) {
    // Most bytes can start nothing: pass over them four at a time.
    while (i + 4 <= limit && ((cls[b[i]] | cls[b[i + 1]] | cls[b[i + 2]] | cls[b[i + 3]]) &
                              (kStart | kLineEnd)) == 0) {
      i += 4;
    }
    while (i < limit && (cls[b[i]] & (kStart | kLineEnd)) == 0) {
      i++;
    }
    if (i >= limit) {
      break;
    }
    if (b[i] == '\n') {
      i++;
      if (!line_ids_.empty()) {
        EndLine(buf_.data() + from, i - from, false);
        from = i;
      } else if (only_) {
        ClearHeld();
        from = i;
      }
      continue;
    }
    const bool prev_word = i > 0 ? (cls[b[i - 1]] & kWord) != 0 : prev_word_;
    if (!prev_word) {
      const unsigned char* window_end =
          data_end - (b + i) > kMentionSpan ? b + i + kMentionSpan : data_end;
      const Mention m = ReadMention(book_, b + i, window_end);
      if (m.length > 0) {
        for (int id : *m.ids) {
          if (stamp_[static_cast<size_t>(id)] != line_no_) {
            stamp_[static_cast<size_t>(id)] = line_no_;
            line_ids_.push_back(id);
          }
        }
        i += static_cast<size_t>(m.length);
        continue;
      }
    }
    i++;
  }
  if (i > 0) {
    prev_word_ = (cls[b[i - 1]] & kWord) != 0;
  }
  if (only_) {
    Hold(buf_.data() + from, i - from);
  } else if (i > from) {
    out_->Write(buf_.data() + from, i - from);
  }
  return i;
}

// Ends a line that mentions codes, of which tail holds the bytes not yet written (or held);
// without a mention, with only, the held start of the line is dropped.
void Explainer::EndLine(const char* tail, size_t n, bool add_newline) {
  if (line_ids_.empty()) {
    ClearHeld();
    return;
  }
  if (only_) {
    WriteHeld();
    ClearHeld();
  }
  if (n > 0) {
    out_->Write(tail, n);
  }
  if (add_newline) {
    out_->Write("\n", 1);
  }
  explained_++;
  for (int id : line_ids_) {
    const std::string& text = book_.Text(id);
    out_->Write(text.data(), text.size());
  }
  line_ids_.clear();
  if (++line_no_ == 0) {  // after 4 billion lines the stamps start again
    std::fill(stamp_.begin(), stamp_.end(), 0);
    line_no_ = 1;
  }
}

void Explainer::Commit(size_t n) {
  have_ += n;
  if (have_ <= static_cast<size_t>(kMentionSpan)) {
    return;
  }
  // Bytes within a mention's span of the end wait for the next bytes: a mention that starts
  // there may go on beyond them.
  const size_t stop = Scan(have_ - static_cast<size_t>(kMentionSpan));
  memmove(buf_.data(), buf_.data() + stop, have_ - stop);
  have_ -= stop;
}

void Explainer::EndOfInput() {
  Scan(have_);
  have_ = 0;
  EndLine(nullptr, 0, true);  // a last line without a line feed, if any
  prev_word_ = false;
}

// With only: the start of a line that is not yet known to mention a code, kept until it ends.
void Explainer::Hold(const char* data, size_t n) {
  if (n == 0) {
    return;
  }
  if (held_file_ == nullptr && !held_file_failed_ && held_.size() + n > kHeldInMemory) {
    held_file_ = tmpfile();
    if (held_file_ != nullptr &&
        fwrite(held_.data(), 1, held_.size(), held_file_) != held_.size()) {
      fclose(held_file_);
      held_file_ = nullptr;
      held_file_failed_ = true;
    }
    if (held_file_ != nullptr) {
      held_.clear();
      held_.shrink_to_fit();
    }
  }
  size_t in_file = 0;
  if (held_file_ != nullptr && !held_file_failed_) {
    in_file = fwrite(data, 1, n, held_file_);
    held_file_failed_ = in_file < n;  // what follows stays in memory, behind the file's bytes
  }
  held_.append(data + in_file, n - in_file);  // no temporary file to be had: memory it is
}

void Explainer::WriteHeld() {
  if (held_file_ != nullptr) {
    rewind(held_file_);
    char block[8192];
    size_t n = 0;
    while ((n = fread(block, 1, sizeof block, held_file_)) > 0) {
      out_->Write(block, n);
    }
  }
  if (!held_.empty()) {
    out_->Write(held_.data(), held_.size());
  }
}

void Explainer::ClearHeld() {
  if (held_file_ != nullptr) {
    fclose(held_file_);
    held_file_ = nullptr;
  }
  held_file_failed_ = false;
  held_.clear();
}

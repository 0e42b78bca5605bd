// apropos: word search over the sections that the store's walk hands over.
#include "apropos.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "store.h"

namespace {

constexpr uint64_t kLanes01 = 0x0101010101010101ULL;  // 1 in each of the 8 bytes
constexpr uint64_t kLanes80 = 0x8080808080808080ULL;  // the top bit of each byte

uint64_t Load8(const unsigned char* p) {
  uint64_t v;
  memcpy(&v, p, sizeof v);
  return v;
}

// ASCII letters in lower case, every other byte as it is.
unsigned char Fold(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

struct Collector {
  std::vector<WordFinder> finders;  // longest first: a long word rules a section out soonest
  std::vector<CodeEntry>* out;
  long sections = 0;
  long code_sections = 0;
  bool out_of_memory = false;
};

void Collect(const StoreSection& s, void* context) {
  Collector& c = *static_cast<Collector*>(context);
  const long order = c.sections++;
  if (s.kind != 'C' && s.kind != 'R') {
    return;  // the version section is no code
  }
  c.code_sections++;
  // A word in the name need not be looked for in the text; it also counts for the rank.
  int rank = 0;
  long headline = -1;
  for (const WordFinder& f : c.finders) {
    if (f.In(s.name, s.name_len)) {
      rank++;
      continue;
    }
    if (!f.In(s.text, s.text_len)) {
      return;
    }
  }
  for (const WordFinder& f : c.finders) {
    if (!f.In(s.name, s.name_len)) {
      if (headline < 0) {
        headline = HeadlineLength(s.text, s.text_len);
      }
      rank += f.In(s.text, headline) ? 1 : 0;
    }
  }
  if (c.out_of_memory) {
    return;
  }
  CodeEntry e;
  e.rank = rank;
  e.value = s.value;
  e.order = order;
  e.name_len = s.name_len < static_cast<int>(sizeof e.name) ? s.name_len : sizeof e.name;
  memcpy(e.name, s.name, static_cast<size_t>(e.name_len));
  try {
    c.out->push_back(e);
  } catch (const std::bad_alloc&) {
    c.out_of_memory = true;
  }
}

}  // namespace

WordFinder::WordFinder(const std::string& word) {
  for (char ch : word) {
    folded_ += static_cast<char>(Fold(static_cast<unsigned char>(ch)));
  }
  auto lanes = [this](size_t at, uint64_t* byte, uint64_t* case_bit) {
    const unsigned char b = at < folded_.size() ? static_cast<unsigned char>(folded_[at]) : 0;
    *byte = kLanes01 * b;
    *case_bit = b >= 'a' && b <= 'z' ? kLanes01 * 0x20 : 0;
  };
  lanes(0, &first_, &first_case_);
  lanes(1, &second_, &second_case_);
}

bool WordFinder::Matches(const unsigned char* at) const {
  const size_t m = folded_.size();
  for (size_t i = 0; i < m; i++) {
    if (Fold(at[i]) != static_cast<unsigned char>(folded_[i])) {
      return false;
    }
  }
  return true;
}

// Eight starting positions at a time: a lane of the difference is zero where the text's byte
// there (for the second byte: the one after it) equals the word's first (second) byte in
// either case; any zero lane makes the eight positions candidates, each compared in full.
bool WordFinder::In(const char* text, long len) const {
  const long m = Length();
  if (m == 0) {
    return true;
  }
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
  const long last = len - m;  // the last position at which the word can start
  long pos = 0;
  if (m >= 2) {
    for (; pos + 9 <= len; pos += 8) {
      const uint64_t diff = ((Load8(t + pos) | first_case_) ^ first_) |
                            ((Load8(t + pos + 1) | second_case_) ^ second_);
      if (((diff - kLanes01) & ~diff & kLanes80) == 0) {
        continue;
      }
      for (long at = pos; at < pos + 8 && at <= last; at++) {
        if (Matches(t + at)) {
          return true;
        }
      }
    }
  }
  for (; pos <= last; pos++) {
    if (Matches(t + pos)) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> SplitWords(const char* const* args, int count) {
  std::vector<std::string> words;
  for (int i = 0; i < count; i++) {
    const char* p = args[i];
    while (*p != '\0') {
      while (IsBlank(*p)) {
        p++;
      }
      const char* start = p;
      while (*p != '\0' && !IsBlank(*p)) {
        p++;
      }
      if (p > start) {
        words.emplace_back(start, p);
      }
    }
  }
  return words;
}

long HeadlineLength(const char* text, long len) {
  const char* nl = static_cast<const char*>(memchr(text, '\n', static_cast<size_t>(len)));
  const char* end = nl != nullptr ? nl : text + len;
  for (const char* p = text; p < end; p++) {
    p = static_cast<const char*>(memchr(p, '.', static_cast<size_t>(end - p)));
    if (p == nullptr) {
      break;
    }
    if (p + 1 == text + len || IsBlank(p[1])) {
      return p + 1 - text;
    }
  }
  return end - text;
}

int CollectCodes(const std::vector<std::string>& words, std::vector<CodeEntry>* out,
                 long* code_sections) {
  Collector c;
  c.out = out;
  for (const std::string& w : words) {
    c.finders.emplace_back(w);
  }
  std::stable_sort(
      c.finders.begin(), c.finders.end(),
      [](const WordFinder& a, const WordFinder& b) { return a.Length() > b.Length(); });
  int status = WalkSections(Collect, &c);
  *code_sections = c.code_sections;
  if (status == kStoreOk && c.out_of_memory) {
    PrintError(-1, "Unable to allocate memory for the list of codes");
    status = kStoreNoMemory;
  }
  return status;
}

void SortCodes(std::vector<CodeEntry>* codes) {
  auto better = [](const CodeEntry& a, const CodeEntry& b) {
    if (a.rank != b.rank) {
      return a.rank > b.rank;
    }
    if (a.value != b.value) {
      return a.value < b.value;
    }
    return a.order < b.order;
  };
  // Often the walk's order is the wanted one already (a list, or one rank).
  if (!std::is_sorted(codes->begin(), codes->end(), better)) {
    std::sort(codes->begin(), codes->end(), better);
  }
}

// apropos: word search over the sections that the store's walk hands over.
#include "apropos.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "error.h"
#include "store.h"

namespace {

// The letters from the most to the least frequent in English text.
constexpr char kLetterFrequency[] = "etaoinshrdlcumwfgypbvkjxqz";

// How rare a byte of a word is in the text: letters by their frequency, other bytes (digits,
// underscores, signs) as rare as the rarer half of the letters.
int Rarity(unsigned char c) {
  const char* at = c != '\0' ? strchr(kLetterFrequency, c) : nullptr;
  return at != nullptr ? static_cast<int>(at - kLetterFrequency) : 13;
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
  bool text_cut = false;  // a description too long to search was met (and reported)
};

void Collect(const StoreSection& s, void* context) {
  Collector& c = *static_cast<Collector*>(context);
  const long order = c.sections++;
  if (s.kind != 'C' && s.kind != 'R') {
    return;  // the version section is no code
  }
  c.code_sections++;
  if (s.text_cut && !c.finders.empty()) {
    // Its words cannot be judged; it is reported once, as tavlo reports it, and passed over.
    PrintError(kNoErrno, "Can't find end of description: Hdr='%.*s' MaxLen=%ld", s.header_len,
               s.header, kDescWindowSize);
    c.text_cut = true;
    return;
  }
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
  for (size_t i = 1; i < folded_.size(); i++) {
    if (Rarity(static_cast<unsigned char>(folded_[i])) >
        Rarity(static_cast<unsigned char>(folded_[rare_]))) {
      rare_ = i;
    }
  }
  if (!folded_.empty()) {
    rare_lower_ = static_cast<unsigned char>(folded_[rare_]);
    rare_upper_ = rare_lower_ >= 'a' && rare_lower_ <= 'z'
                      ? static_cast<unsigned char>(rare_lower_ - ('a' - 'A'))
                      : rare_lower_;
  }
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

// The rarest byte of the word, in either case, is found with memchr, which skips over the text
// many bytes at a time; each place where it stands is compared in full. The upper-case letter
// is seldom in the text, so its search mostly runs once to the end.
bool WordFinder::In(const char* text, long len) const {
  const long m = Length();
  if (m == 0) {
    return true;
  }
  if (len < m) {
    return false;
  }
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* from = t + rare_;
  const unsigned char* end = t + (len - m) + rare_ + 1;  // past the last place the byte can be
  auto next = [&end](const unsigned char* p, unsigned char c) {
    return static_cast<const unsigned char*>(memchr(p, c, static_cast<size_t>(end - p)));
  };
  const unsigned char* lower = next(from, rare_lower_);
  const unsigned char* upper = rare_upper_ != rare_lower_ ? next(from, rare_upper_) : nullptr;
  while (lower != nullptr || upper != nullptr) {
    const bool take_lower = upper == nullptr || (lower != nullptr && lower < upper);
    const unsigned char* at = take_lower ? lower : upper;
    if (Matches(at - rare_)) {
      return true;
    }
    if (take_lower) {
      lower = at + 1 < end ? next(at + 1, rare_lower_) : nullptr;
    } else {
      upper = at + 1 < end ? next(at + 1, rare_upper_) : nullptr;
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
    PrintError(kNoErrno, "Unable to allocate memory for the list of codes");
    status = kStoreNoMemory;
  }
  if (status == kStoreOk && c.text_cut) {
    status = kStoreDescEndMissing;
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

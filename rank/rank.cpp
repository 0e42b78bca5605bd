// rank: the word search and the order of the codes it finds.
#include "rank/rank.h"

#include <cstring>

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

bool WordFinder::Holds(char byte) const {
  return folded_.find(static_cast<char>(Fold(static_cast<unsigned char>(byte)))) !=
         std::string::npos;
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

bool HasSearchWord(const std::vector<std::string>& words) {
  for (const std::string& w : words) {
    if (w.size() >= kSearchWordLength) {
      return true;
    }
  }
  return false;
}

long HeadlineLength(const char* text, long len, char eol) {
  const char* nl = static_cast<const char*>(memchr(text, eol, static_cast<size_t>(len)));
  const char* end = nl != nullptr ? nl : text + len;
  for (const char* p = text; p < end; p++) {
    p = static_cast<const char*>(memchr(p, '.', static_cast<size_t>(end - p)));
    if (p == nullptr) {
      break;
    }
    if (p + 1 == text + len || IsBlank(p[1]) || p[1] == eol) {
      return p + 1 - text;
    }
  }
  return end - text;
}

std::vector<WordFinder> SectionFinders(const std::vector<std::string>& words) {
  std::vector<WordFinder> finders;
  for (const std::string& w : words) {
    finders.emplace_back(w);
  }
  std::stable_sort(finders.begin(), finders.end(), [](const WordFinder& a, const WordFinder& b) {
    return a.Length() > b.Length();
  });
  return finders;
}

int SectionRank(const std::vector<WordFinder>& finders, const char* name, long name_len,
                const char* text, long text_len, char eol) {
  // A word in the name need not be looked for in the text; it also counts for the rank.
  int rank = 0;
  for (const WordFinder& f : finders) {
    if (f.In(name, name_len)) {
      rank++;
      continue;
    }
    if (f.Holds(eol) || !f.In(text, text_len)) {
      return -1;
    }
  }
  long headline = -1;
  for (const WordFinder& f : finders) {
    if (!f.In(name, name_len)) {
      if (headline < 0) {
        headline = HeadlineLength(text, text_len, eol);
      }
      rank += f.In(text, headline) ? 1 : 0;
    }
  }
  return rank;
}

#include "code/code.h"

#include <vector>

std::string ResourceFile;
std::string CacheFile;
int16_t LowerCaseName = kFalse;
int16_t MakeWindowLoaded = kFalse;
int16_t DebugMode = kFalse;
float TwipsPerPixelX = 15.0f;
float TwipsPerPixelY = 15.0f;

namespace {

constexpr float kTwipsPerInch = 1440.0f;
constexpr int kDefaultDpi = 96;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Position just after the last folder separator (0 when there is none).
std::string::size_type NameStart(const std::string& path) {
  for (std::string::size_type i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1]))
      return i;
  }
  return 0;
}

}  // namespace

std::string CodeFolder(const std::string& path) {
  std::string::size_type start = NameStart(path);
  return start == 0 ? std::string() : path.substr(0, start - 1);
}

// Only a final ".exe", in any case, is taken off: a program file under another name keeps its
// dots ("tavlo.v2" stays "tavlo.v2").
std::string CodeBaseName(const std::string& path) {
  std::string name = path.substr(NameStart(path));
  const std::string ending = ".exe";
  if (name.size() >= ending.size()) {
    std::string tail = name.substr(name.size() - ending.size());
    for (char& c : tail) {
      if (c >= 'A' && c <= 'Z')
        c = static_cast<char>(c - 'A' + 'a');
    }
    if (tail == ending)
      name.erase(name.size() - ending.size());
  }
  return name;
}

namespace {

// The capitals of Windows-1252 as code points: A-Z, the accented capitals U+00C0-U+00DE except
// the multiplication sign U+00D7, and S, OE and Z with caron and Y with diaeresis.
bool IsCapital(unsigned long c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x160 ||
         c == 0x152 || c == 0x17D || c == 0x178;
}

// The text's code points when it is well-formed UTF-8 (as the system gives paths); false
// otherwise.
bool DecodeUtf8(const std::string& text, std::vector<unsigned long>* points) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80             ? 0
                : (c & 0xE0) == 0xC0 ? 1
                : (c & 0xF0) == 0xE0 ? 2
                : (c & 0xF8) == 0xF0 ? 3
                                     : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size())
      return false;
    unsigned long point = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80)
        return false;
      point = (point << 6) | (next & 0x3F);
    }
    if ((extra == 1 && point < 0x80) || (extra == 2 && point < 0x800) ||
        (extra == 3 && point < 0x10000)) {
      return false;  // an overlong form
    }
    points->push_back(point);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// Windows-1252's bytes of S, OE, Z with caron and Y with diaeresis, as code points.
unsigned long FromWindows1252(unsigned char c) {
  switch (c) {
    case 0x8A:
      return 0x160;
    case 0x8C:
      return 0x152;
    case 0x8E:
      return 0x17D;
    case 0x9F:
      return 0x178;
    default:
      return c;
  }
}

}  // namespace

// A path from the system is UTF-8; a text that is not well-formed UTF-8 is read as
// Windows-1252, so both spell the same capitals.
bool CodeHasUpperCase(const std::string& text) {
  std::vector<unsigned long> points;
  if (!DecodeUtf8(text, &points)) {
    points.clear();
    for (char ch : text)
      points.push_back(FromWindows1252(static_cast<unsigned char>(ch)));
  }
  for (unsigned long c : points) {
    if (IsCapital(c))
      return true;
  }
  return false;
}

std::string CodeTempFolder(const std::string& tmp, const std::string& temp) {
  std::string folder = !tmp.empty() ? tmp : !temp.empty() ? temp : std::string("C:");
  if (folder.back() != '\\')
    folder += '\\';
  return folder;
}

// Guarded: a display that reports no resolution would otherwise divide by zero.
float CodeTwipsPerPixel(int dots_per_inch) {
  if (dots_per_inch <= 0)
    dots_per_inch = kDefaultDpi;
  return kTwipsPerInch / static_cast<float>(dots_per_inch);
}

void CodeStartup(const CodeFacts& facts) {
  TwipsPerPixelX = CodeTwipsPerPixel(facts.dpi_x);
  TwipsPerPixelY = CodeTwipsPerPixel(facts.dpi_y);

  std::string base = CodeBaseName(facts.program_path);
  LowerCaseName = CodeHasUpperCase(base) ? kFalse : kTrue;

  // A copy of the program under another lower-case name still reads "tavlo.exe" beside it.
  std::string folder = CodeFolder(facts.program_path);
  std::string file = LowerCaseName == kTrue ? std::string(kProgramFileName) : base + ".exe";
  ResourceFile = folder.empty() ? file : folder + "\\" + file;

  CacheFile = CodeTempFolder(facts.tmp, facts.temp) + kCacheFileName;
  MakeWindowLoaded = kFalse;
}

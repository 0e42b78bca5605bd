#include "code/code.h"

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

// The capitals of Windows-1252: A-Z, the accented capitals 0xC0-0xDE except the
// multiplication sign 0xD7, and S, OE and Z with caron and Y with diaeresis (0x8A, 0x8C, 0x8E,
// 0x9F), which the lower-case form turns into 0x9A, 0x9C, 0x9E and 0xFF.
bool CodeHasUpperCase(const std::string& text) {
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z')
      return true;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
      return true;
    if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F)
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

#include "code.h"

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

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Position just after the last folder separator (0 when there is none).
std::string::size_type NameStart(const std::string& path) {
  for (std::string::size_type i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return i;
  }
  return 0;
}

}  // namespace

std::string CodeFolder(const std::string& path) {
  std::string::size_type start = NameStart(path);
  return start == 0 ? std::string() : path.substr(0, start - 1);
}

// The extension is whatever follows the last dot of the file name ("tavlo.exe" -> "tavlo");
// a name that starts with its only dot keeps it.
std::string CodeBaseName(const std::string& path) {
  std::string name = path.substr(NameStart(path));
  std::string::size_type dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

// Windows-1252 / Latin-1: A-Z and the accented capitals 0xC0-0xDE except the multiplication
// sign 0xD7.
bool CodeHasUpperCase(const std::string& text) {
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z') return true;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return true;
  }
  return false;
}

std::string CodeTempFolder(const std::string& tmp, const std::string& temp) {
  std::string folder = !tmp.empty() ? tmp : !temp.empty() ? temp : std::string("C:");
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

// Guarded: a display that reports no resolution would otherwise divide by zero.
float CodeTwipsPerPixel(int dots_per_inch) {
  if (dots_per_inch <= 0) dots_per_inch = kDefaultDpi;
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

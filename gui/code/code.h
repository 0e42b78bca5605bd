// CODE: the windowed tool's start-up module, window-free half. Its Win32 half
// (gui/win/code_win.cpp) gathers the platform's facts and hands them to CodeStartup, which works
// out the paths and flags below before any window exists.
//
// State (process-wide; 16-bit booleans are -1 for true, 0 for false):
//   ResourceFile        full path of the program file that carries the description container
//   CacheFile           full path of the cached copy: temporary folder + "tavlo_cache.tmp"
//   LowerCaseName       the program's base name holds no upper-case letter
//   MakeWindowLoaded    the maintenance window has been created in this run
//   DebugMode           the "Debug" preference asks for timing reports
//   TwipsPerPixelX/Y    size of one screen pixel in twips (1/1440 inch)
//
// Operations:
//   CodeStartup(facts)              sets every item of the state above except DebugMode
//   CodeFolder(path)                the folder part of a path, without its last separator
//   CodeBaseName(path)              the file name without folder and without a final ".exe"
//   CodeHasUpperCase(text)          the text holds an upper-case letter of Windows-1252, read
//                                   as UTF-8 when it is well-formed UTF-8
//   CodeTempFolder(tmp, temp)       TMP, else TEMP, else "C:"; always ending in "\"
//   CodeTwipsPerPixel(dpi)          1440 / dots per inch; 15 when the platform reports none
#ifndef TAVLO_GUI_CODE_H
#define TAVLO_GUI_CODE_H

#include <cstdint>
#include <string>

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// Name of the cached copy in the temporary folder, shared by every run and copy of the program.
constexpr const char* kCacheFileName = "tavlo_cache.tmp";
// The program file that a copy under another lower-case name reads its descriptions from.
constexpr const char* kProgramFileName = "tavlo.exe";

extern std::string ResourceFile;
extern std::string CacheFile;
extern int16_t LowerCaseName;
extern int16_t MakeWindowLoaded;
extern int16_t DebugMode;
extern float TwipsPerPixelX;
extern float TwipsPerPixelY;

// What the platform tells the start-up: the running program's full path, the environment
// variables TMP and TEMP (empty when unset) and the screen's dots per inch.
struct CodeFacts {
  std::string program_path;
  std::string tmp;
  std::string temp;
  int dpi_x = 96;
  int dpi_y = 96;
};

void CodeStartup(const CodeFacts& facts);

std::string CodeFolder(const std::string& path);
std::string CodeBaseName(const std::string& path);
bool CodeHasUpperCase(const std::string& text);
std::string CodeTempFolder(const std::string& tmp, const std::string& temp);
float CodeTwipsPerPixel(int dots_per_inch);

#endif

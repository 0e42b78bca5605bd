// REGC: the windowed tool's per-user settings, over the settings store of regc_store.h.
//
// Every operation handles its own unexpected results: success, a key or value that does not
// exist and a text too long for the buffer come back quietly as a neutral result; any other
// result code is shown at once in a diagnostic box (through MsgBox, titled "REGC " + operation
// + "( )") and the operation returns a neutral result as well. Callers test at most for a
// handle of 0 after an open; RegcRc tells a default from a stored value.
//
// Operations:
//   RegcOpenRead(parent, path)           key opened for reading, or 0 (absent key: 0, no box)
//   RegcOpenWrite(parent, path)          key opened with full access, or 0
//   RegcOpenWriteCreate(parent, path)    as RegcOpenWrite, creating the key (all levels) first
//   RegcQueryValue(key, name, default)   text, default, "?DataTooLong" or "?Error " + code
//   RegcQueryValueLong(key, name, def)   32-bit value, default, or 0
//   RegcWriteValueString(key, name, s)   result code (0 on success); stored without a NUL
//   RegcWriteValueLong(key, name, v)     result code (0 on success)
//   RegcClose(key&)                      flush and close; sets key to 0 on success; 0 is a no-op
//   RegcFmtMsg(code)                     code + ": " + the store's description
//   RegcRestoreWindow(key, name, win)    place a window from its stored "left,top,width,height"
//   RegcSaveWindow(key, name, win)       store a window's normal-state placement
//   RegcReachablePlacement(p, screens)   p, or p moved the least distance that puts the top
//                                        of its title bar inside a work area with at least
//                                        32 pixels of its width (all of it, when narrower)
//   RegcSingleText(f)                    shortest decimal text that reads back as the same float
//   RegcParseSingle(text, &f)            whole text as a decimal number; false when it is not one
//
// State (process-wide, meaningful only right after the operation that set it):
//   RegcRc          result code of the last store call; 0 = success
//   RegcValueType   type of the last value read (as the store reported it) or written (1 or 4)
//   RegcDataLen     byte count of the last value read or written; after a text read that was too
//                   long, minus the size needed
//   the 512-byte text buffer that a text read offers the store
//
// Placement texts: four numbers, comma-separated, no spaces, in twips: "1200,900,9600,7200". A
// height of 0 means nothing is stored. A text that cannot be applied (fewer than four numeric
// fields, a width or height that is not positive, or a rectangle wholly outside the visible
// desktop) leaves the window where it is. One that can be applied is moved, when it must be,
// so that the user can grab its title bar (RegcReachablePlacement): a placement saved with a
// task bar elsewhere or on a screen since removed is otherwise restored out of reach.
#ifndef TAVLO_GUI_REGC_H
#define TAVLO_GUI_REGC_H

#include <cstdint>
#include <string>
#include <vector>

#include "regc/regc_store.h"

constexpr uint32_t kRegcTextBufferSize = 512;

extern int32_t RegcRc;
extern int32_t RegcValueType;
extern int32_t RegcDataLen;

uint32_t RegcOpenRead(uint32_t parent, const std::string& path);
uint32_t RegcOpenWrite(uint32_t parent, const std::string& path);
uint32_t RegcOpenWriteCreate(uint32_t parent, const std::string& path);
std::string RegcQueryValue(uint32_t key, const std::string& name, const std::string& def);
int32_t RegcQueryValueLong(uint32_t key, const std::string& name, int32_t def);
int32_t RegcWriteValueString(uint32_t key, const std::string& name, const std::string& data);
int32_t RegcWriteValueLong(uint32_t key, const std::string& name, int32_t value);
void RegcClose(uint32_t& key);
std::string RegcFmtMsg(int32_t code);

// A rectangle in twips.
struct RegcRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

// The screens a placement is checked against: each monitor's work area (the monitor less its
// task bars), and the size of one screen pixel, all in twips.
struct RegcScreens {
  std::vector<RegcRect> work_areas;
  float pixel_width = 15;
  float pixel_height = 15;
};

// Pixels of the title bar's width that must lie within a work area.
constexpr float kRegcReachablePixels = 32;

enum class RegcWindowState { kNormal, kMinimised, kMaximised };

// The window operations the placement needs; all positions and sizes in twips.
class RegcView {
 public:
  virtual ~RegcView() = default;
  virtual RegcRect Placement() const = 0;  // left, top, width, height of the whole window
  virtual RegcWindowState State() const = 0;
  virtual void Move(const RegcRect& placement) = 0;
  virtual RegcRect VisibleDesktop() const = 0;  // the area of all screens together
  virtual RegcScreens Screens() const = 0;
};

void RegcRestoreWindow(uint32_t key, const std::string& name, RegcView& window);
void RegcSaveWindow(uint32_t key, const std::string& name, const RegcView& window);
RegcRect RegcReachablePlacement(const RegcRect& placement, const RegcScreens& screens);

std::string RegcSingleText(float value);
bool RegcParseSingle(const std::string& text, float* value);

#endif

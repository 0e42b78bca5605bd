#include "regc/regc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/msgbox.h"
#include "base/text.h"

int32_t RegcRc = 0;
int32_t RegcValueType = 0;
int32_t RegcDataLen = 0;

namespace {

constexpr uint32_t kFormatBufferSize = 256;
// Registry keys get this class text when they are created.
constexpr const char* kCreateClass = "REG_DWORD";

RegcStore* installed_store = nullptr;
unsigned char text_buffer[kRegcTextBufferSize];
uint32_t key_result = 0;

std::string Handle(uint32_t key) {
  return FormatDecimal(static_cast<int32_t>(key));
}

uint32_t Le32Get(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void Le32Put(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

// The box every unexpected result ends in. The first two lines are built before RegcFmtMsg
// runs, so a failure to describe the code shows its own box first and then this one.
void Diagnostic(const char* operation, const char* call, int32_t code, const std::string& args) {
  std::string text = "Unexpected error from Windows API.";
  text += kCrLf;
  text += call;
  text += " returned ";
  text += RegcFmtMsg(code);
  text += kCrLf;
  text += args;
  MsgBox(text, kMsgBoxExclamation | kMsgBoxOkOnly, std::string("REGC ") + operation + "( )");
}

std::string KeyLine(const char* prefix, uint32_t parent, const std::string& path) {
  return std::string(prefix) + "HKey=" + Handle(parent) + " " + prefix + "SubKey='" + path + "'";
}

std::string TypeAndLength() {
  return std::string("RegcValueType=") + FormatDecimal(RegcValueType) + kCrLf +
         "RegcDataLen=" + FormatDecimal(RegcDataLen);
}

uint32_t Open(const char* operation, const char* prefix, uint32_t access, uint32_t parent,
              const std::string& path) {
  key_result = 0;
  RegcRc = RegcGetStore().RegOpenKeyExA(parent, path, 0, access, &key_result);
  if (RegcRc == kRegcSuccess)
    return key_result;
  if (RegcRc != kRegcNotFound) {
    Diagnostic(operation, "RegOpenKeyEx( )", RegcRc, KeyLine(prefix, parent, path));
  }
  return 0;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Two rectangles share some area.
bool Overlaps(const RegcRect& a, const RegcRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

}  // namespace

RegcStore& RegcGetStore() {
  return installed_store != nullptr ? *installed_store : RegcPlatformStore();
}

RegcStore* InstallSettingsStore(RegcStore* store) {
  RegcStore* old = installed_store;
  installed_store = store;
  return old;
}

uint32_t RegcOpenRead(uint32_t parent, const std::string& path) {
  return Open("RegcOpenRead", "RK", kRegcKeyRead, parent, path);
}

uint32_t RegcOpenWrite(uint32_t parent, const std::string& path) {
  return Open("RegcOpenWrite", "WK", kRegcKeyAllAccess, parent, path);
}

uint32_t RegcOpenWriteCreate(uint32_t parent, const std::string& path) {
  const char* operation = "RegcOpenWriteCreate";
  key_result = 0;
  RegcRc = RegcGetStore().RegOpenKeyExA(parent, path, 0, kRegcKeyAllAccess, &key_result);
  if (RegcRc == kRegcSuccess)
    return key_result;
  if (RegcRc != kRegcNotFound) {
    Diagnostic(operation, "RegOpenKeyEx( )", RegcRc, KeyLine("WK", parent, path));
    return 0;
  }
  key_result = 0;
  RegcRc =
      RegcGetStore().RegCreateKeyExA(parent, path, kCreateClass, 0, kRegcKeyAllAccess, &key_result);
  if (RegcRc == kRegcSuccess)
    return key_result;
  Diagnostic(operation, "RegCreateKeyEx( )", RegcRc, KeyLine("WK", parent, path));
  return 0;
}

std::string RegcQueryValue(uint32_t key, const std::string& name, const std::string& def) {
  uint32_t type = static_cast<uint32_t>(RegcValueType);
  uint32_t len = kRegcTextBufferSize;
  RegcDataLen = static_cast<int32_t>(len);
  RegcRc = RegcGetStore().RegQueryValueExA(key, name, &type, text_buffer, &len);
  RegcValueType = static_cast<int32_t>(type);
  RegcDataLen = static_cast<int32_t>(len);
  if (RegcRc == kRegcSuccess) {
    // A store never reports more than it was offered on success; do not trust one that does.
    uint32_t n = len < kRegcTextBufferSize ? len : kRegcTextBufferSize;
    // Stored with or without a terminating NUL, a text reads back the same.
    while (n > 0 && text_buffer[n - 1] == '\0') {
      --n;
      RegcDataLen = static_cast<int32_t>(n);
    }
    if (n == 0)
      return def;
    return std::string(reinterpret_cast<const char*>(text_buffer), n);
  }
  if (RegcRc == kRegcNotFound)
    return def;
  if (RegcRc == kRegcMoreData) {
    RegcDataLen = -static_cast<int32_t>(len);
    return "?DataTooLong";
  }
  Diagnostic("RegcQueryValue", "RegQueryValueEx( )", RegcRc,
             "RQhKey=" + Handle(key) + kCrLf + "RQValue='" + name + "'" + kCrLf + TypeAndLength());
  return "?Error " + FormatDecimal(RegcRc);
}

int32_t RegcQueryValueLong(uint32_t key, const std::string& name, int32_t def) {
  unsigned char bytes[4] = {0, 0, 0, 0};
  uint32_t type = static_cast<uint32_t>(RegcValueType);
  uint32_t len = sizeof bytes;
  RegcDataLen = static_cast<int32_t>(len);
  RegcRc = RegcGetStore().RegQueryValueExA(key, name, &type, bytes, &len);
  RegcValueType = static_cast<int32_t>(type);
  RegcDataLen = static_cast<int32_t>(len);
  if (RegcRc == kRegcSuccess)
    return static_cast<int32_t>(Le32Get(bytes));
  if (RegcRc == kRegcNotFound)
    return def;
  Diagnostic(
      "RegcQueryValueLong", "RegQueryValueEx( )", RegcRc,
      "RQLhKey=" + Handle(key) + kCrLf + "RQLValue='" + name + "'" + kCrLf + TypeAndLength());
  return 0;
}

int32_t RegcWriteValueString(uint32_t key, const std::string& name, const std::string& data) {
  RegcValueType = static_cast<int32_t>(kRegcSz);
  RegcDataLen = static_cast<int32_t>(data.size());
  RegcRc = RegcGetStore().RegSetValueExA(key, name, kRegcSz,
                                         reinterpret_cast<const unsigned char*>(data.data()),
                                         static_cast<uint32_t>(data.size()));
  if (RegcRc == kRegcSuccess)
    return 0;
  Diagnostic("RegcWriteValueString", "RegSetValueEx( )", RegcRc,
             "WShKey=" + Handle(key) + kCrLf + "WSValue='" + name + "'" + kCrLf + "WSData='" +
                 data + "'" + kCrLf + TypeAndLength());
  return RegcRc;
}

int32_t RegcWriteValueLong(uint32_t key, const std::string& name, int32_t value) {
  unsigned char bytes[4];
  Le32Put(bytes, static_cast<uint32_t>(value));
  RegcValueType = static_cast<int32_t>(kRegcDword);
  RegcDataLen = sizeof bytes;
  RegcRc = RegcGetStore().RegSetValueExA(key, name, kRegcDword, bytes, sizeof bytes);
  if (RegcRc == kRegcSuccess)
    return 0;
  Diagnostic("RegcWriteValueLong", "RegSetValueEx( )", RegcRc,
             "WLhKey=" + Handle(key) + kCrLf + "WLValue='" + name + "'" + kCrLf + TypeAndLength());
  return RegcRc;
}

void RegcClose(uint32_t& key) {
  if (key == 0)
    return;
  RegcRc = RegcGetStore().RegFlushKey(key);
  if (RegcRc != kRegcSuccess) {
    Diagnostic("RegcClose", "RegFlushKey( )", RegcRc, "RChKey=" + Handle(key));
  }
  RegcRc = RegcGetStore().RegCloseKey(key);
  if (RegcRc != kRegcSuccess) {
    Diagnostic("RegcClose", "RegCloseKey( )", RegcRc, "RChKey=" + Handle(key));
    return;
  }
  key = 0;
}

std::string RegcFmtMsg(int32_t code) {
  // One byte more than is offered, always NUL, so that the byte after a full buffer can be
  // looked at without reading past it.
  char buffer[kFormatBufferSize + 1];
  std::memset(buffer, 0, sizeof buffer);
  uint32_t n =
      RegcGetStore().FormatMessageA(kRegcFormatFromSystem, code, buffer, kFormatBufferSize);
  std::string prefix = FormatDecimal(code) + ": ";
  if (n == 0) {
    MsgBox(std::string("Unexpected error from Windows API.") + kCrLf +
               "FormatMessage( ) returned " + FormatDecimal(n) + kCrLf +
               "RFMErrCode=" + FormatDecimal(code) + kCrLf,
           kMsgBoxExclamation | kMsgBoxOkOnly, "REGC RegcFmtMsg( )");
    return prefix + "FormatMessage() failed!";
  }
  if (n >= kFormatBufferSize || buffer[n] != '\0') {
    return prefix + std::string(buffer, kFormatBufferSize);
  }
  if (n >= 2 && buffer[n - 2] == '\r' && buffer[n - 1] == '\n')
    n -= 2;
  return prefix + std::string(buffer, n);
}

void RegcRestoreWindow(uint32_t key, const std::string& name, RegcView& window) {
  // Every field then ends with a comma.
  std::string text = RegcQueryValue(key, name, "0,0,0,0") + ",";
  if (RegcRc != kRegcSuccess)
    return;  // absent, too long or unreadable: the default is not used

  float fields[4];
  std::string::size_type start = 0;
  for (float& field : fields) {
    std::string::size_type comma = text.find(',', start);
    // Fewer than four fields, or one that is not a number: the text is ignored as a whole.
    if (comma == std::string::npos)
      return;
    if (!RegcParseSingle(text.substr(start, comma - start), &field))
      return;
    start = comma + 1;
  }
  RegcRect placement{fields[0], fields[1], fields[2], fields[3]};
  if (placement.height == 0)
    return;  // nothing stored
  // A rectangle without area cannot be applied, and one wholly off the visible desktop (saved on
  // a larger screen) would leave the window where the user cannot reach it.
  if (!(placement.width > 0) || !(placement.height > 0))
    return;
  if (!Overlaps(placement, window.VisibleDesktop()))
    return;
  window.Move(RegcReachablePlacement(placement, window.Screens()));
}

RegcRect RegcReachablePlacement(const RegcRect& placement, const RegcScreens& screens) {
  const float need = std::min(kRegcReachablePixels * screens.pixel_width, placement.width);
  RegcRect best = placement;
  float best_distance = -1;
  for (const RegcRect& area : screens.work_areas) {
    if (!(area.width > 0) || !(area.height > 0))
      continue;
    // The title bar's top on a row of the area, and `need` of its width over the area.
    const float top = std::clamp(placement.top, area.top,
                                 std::max(area.top, area.top + area.height - screens.pixel_height));
    const float lowest_left = area.left + need - placement.width;
    const float left = std::clamp(placement.left, lowest_left,
                                  std::max(lowest_left, area.left + area.width - need));
    const float dx = left - placement.left;
    const float dy = top - placement.top;
    const float distance = dx * dx + dy * dy;
    if (best_distance < 0 || distance < best_distance) {
      best_distance = distance;
      best.left = left;
      best.top = top;
    }
  }
  return best;
}

void RegcSaveWindow(uint32_t key, const std::string& name, const RegcView& window) {
  // Minimised or maximised: keep the normal-state placement stored by an earlier run.
  if (window.State() != RegcWindowState::kNormal)
    return;
  RegcRect p = window.Placement();
  RegcWriteValueString(key, name,
                       RegcSingleText(p.left) + "," + RegcSingleText(p.top) + "," +
                           RegcSingleText(p.width) + "," + RegcSingleText(p.height));
}

// Plain decimal, never an exponent, so that any reader of numbers takes it: the fewest
// significant digits (1 to 9) that read back as the same float.
std::string RegcSingleText(float value) {
  if (std::isnan(value))
    return "nan";
  if (std::isinf(value))
    return value > 0 ? "inf" : "-inf";
  if (value == 0)
    return "0";

  char text[32];
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value)
      break;
  }
  // text is now "[-]d[.ddd]e[+-]xx": split it into sign, digits and exponent.
  std::string mantissa;
  const char* p = text;
  bool negative = *p == '-';
  if (negative)
    ++p;
  for (; *p != 'e'; ++p) {
    if (*p != '.')
      mantissa += *p;
  }
  int exponent = std::atoi(p + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0')
    mantissa.pop_back();

  std::string out;
  int count = static_cast<int>(mantissa.size());
  if (exponent < 0) {
    out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  } else if (exponent >= count - 1) {
    out = mantissa + std::string(static_cast<size_t>(exponent - count + 1), '0');
  } else {
    out = mantissa.substr(0, static_cast<size_t>(exponent) + 1) + "." +
          mantissa.substr(static_cast<size_t>(exponent) + 1);
  }
  return negative ? "-" + out : out;
}

// Accepts blanks around an optionally signed decimal number with an optional fraction and
// exponent ("1200", "-15", "7.5", "1.2E3"); the number must be finite as a float.
bool RegcParseSingle(const std::string& text, float* value) {
  std::string::size_type b = 0, e = text.size();
  while (b < e && IsBlank(text[b]))
    ++b;
  while (e > b && IsBlank(text[e - 1]))
    --e;
  std::string t = text.substr(b, e - b);

  std::string::size_type i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-'))
    ++i;
  std::string::size_type first = i;
  while (i < t.size() && IsDigit(t[i]))
    ++i;
  std::string::size_type digits = i - first;
  if (i < t.size() && t[i] == '.') {
    first = ++i;
    while (i < t.size() && IsDigit(t[i]))
      ++i;
    digits += i - first;
  }
  if (digits == 0)
    return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
      ++i;
    if (i == t.size() || !IsDigit(t[i]))
      return false;
    while (i < t.size() && IsDigit(t[i]))
      ++i;
  }
  if (i != t.size())
    return false;
  float f = std::strtof(t.c_str(), nullptr);
  if (!std::isfinite(f))
    return false;
  *value = f;
  return true;
}

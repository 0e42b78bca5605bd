// Printing from the real program under Wine, driven from this process: F4 and the File menu's
// items on the window the build gives out, and its printer error boxes. print_check.sh reads the
// printed document back; the lines expected are written to $TAVLO_PRINT_OUT/sent.txt.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "base/app.h"
#include "support/drive_win.h"

namespace {

void WriteExpected(const std::vector<std::string>& lines) {
  const char* out = std::getenv("TAVLO_PRINT_OUT");
  ASSERT_NE(out, nullptr);
  std::ofstream file(std::string(out) + "/sent.txt", std::ios::binary);
  for (const std::string& line : lines) {
    file << line << '\n';
  }
}

// The message box a process shows: its title and text, once it is up (or "" after 20 s).
struct ShownBox {
  HWND window = nullptr;
  std::string title;
  std::string text;
};

ShownBox WaitForBox(DWORD process_id) {
  ShownBox box;
  for (int i = 0; i < 200 && box.window == nullptr; ++i) {
    Sleep(100);
    HWND candidate = nullptr;
    while ((candidate = FindWindowExA(nullptr, candidate, "#32770", nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(candidate, &owner);
      if (owner == process_id && IsWindowVisible(candidate)) {
        box.window = candidate;
        break;
      }
    }
  }
  if (box.window != nullptr) {
    char buffer[1024] = "";
    GetWindowTextA(box.window, buffer, sizeof buffer);
    box.title = buffer;
    GetDlgItemTextA(box.window, 0xFFFF, buffer, sizeof buffer);  // the box's static text
    box.text = buffer;
  }
  return box;
}

class TavloPrinting : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);  // a first run
    Start();
  }
  void TearDown() override {
    Stop();
  }
  void Start() {
    ASSERT_TRUE(tavlo_.Start(WindowsPath(TAVLO_DIST_EXE))) << "no main window";
    window_ = tavlo_.window;
  }
  // Closes the window, which saves the preferences, and waits for the program's end.
  void Stop() {
    tavlo_.End();
    window_ = nullptr;
  }
  void PostKey(WPARAM key) {
    PostMessageA(window_, WM_KEYDOWN, key, 1);
    PostMessageA(window_, WM_KEYUP, key, 0xC0000001);
  }
  void PostCommand(int id) {
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }

  RunningTavlo tavlo_;
  HWND window_ = nullptr;
};

// The pane's lines as the job sends them before wrapping: the title, an empty line, the text.
std::vector<std::string> PaneLines(const std::string& pane) {
  std::vector<std::string> lines{kAppTitle, ""};
  size_t p = 0;
  for (size_t q; (q = pane.find("\r\n", p)) != std::string::npos; p = q + 2) {
    lines.push_back(pane.substr(p, q - p));
  }
  lines.push_back(pane.substr(p));
  return lines;
}

// F4 prints the description of the selected match.
TEST_F(TavloPrinting, DescriptionByF4) {
  TypeSearch(window_, "2035");
  std::string pane = PaneText(window_);
  ASSERT_NE(pane.find("KXRC_NOT_AUTHORIZED"), std::string::npos) << pane;
  WriteExpected(PaneLines(pane));
  PostKey(VK_F4);
}

// The File menu's first item prints the match list, heading first.
TEST_F(TavloPrinting, MatchListFromTheMenu) {
  TypeSearch(window_, "2192");
  std::vector<std::string> lines{kAppTitle, ""};
  for (const std::string& line : ListLines(window_)) {
    lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), 5u);
  lines.push_back("");
  WriteExpected(lines);
  PostCommand(kMnuFilePrintList);
}

// With no printer both commands say so, each in a box titled after it, and the window goes on.
TEST_F(TavloPrinting, NoPrinterBoxes) {
  TypeSearch(window_, "2192");
  struct Case {
    int command;
    const char* title;
  } cases[] = {{kMnuFilePrintDescription, "File - Print Description"},
               {kMnuFilePrintList, "File - Print Match List"}};
  for (const Case& c : cases) {
    PostCommand(c.command);
    ShownBox box = WaitForBox(tavlo_.process.dwProcessId);
    ASSERT_NE(box.window, nullptr) << c.title;
    EXPECT_EQ(box.title, c.title);
    EXPECT_EQ(box.text, "Printer error:\r\n\r\n(4104) No default printer is set up.");
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
  }
  Sleep(300);
  TypeSearch(window_, "2035");
  EXPECT_EQ(ListLines(window_).size(), 2u);
}

}  // namespace

namespace {

DWORD StoredNumber(HKEY key, const char* name) {
  DWORD value = 0, size = sizeof value;
  RegGetValueA(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

// A bold 12-point choice confirmed in the font dialog is saved at the close, loaded at the next
// start and printed.
TEST_F(TavloPrinting, BoldChoiceSurvivesARestart) {
  Stop();
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPrefsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  DWORD size = 12, bold = 0;
  RegSetValueExA(key, "PrinterFontName", 0, REG_SZ, reinterpret_cast<const BYTE*>("Courier"), 8);
  RegSetValueExA(key, "PrinterFontSize", 0, REG_DWORD, reinterpret_cast<BYTE*>(&size), 4);
  RegSetValueExA(key, "PrinterFontBold", 0, REG_DWORD, reinterpret_cast<BYTE*>(&bold), 4);
  Start();
  // The dialog opens on the stored choice; bold is chosen in it.
  PostCommand(kMnuFilePrinterFont);
  ShownBox dialog = WaitForBox(tavlo_.process.dwProcessId);
  ASSERT_NE(dialog.window, nullptr) << "no font dialog";
  HWND style = GetDlgItem(dialog.window, 0x471);  // the style list of the font dialog
  ASSERT_NE(style, nullptr);
  int count = static_cast<int>(SendMessageA(style, CB_GETCOUNT, 0, 0));
  int chosen = -1;
  for (int i = 0; i < count && chosen < 0; ++i) {
    wchar_t text[64] = L"";
    SendMessageW(style, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    if (Narrow1252(text) == "Bold") {
      chosen = i;
    }
  }
  ASSERT_GE(chosen, 0) << "no Bold style offered";
  SendMessageA(style, CB_SETCURSEL, chosen, 0);
  SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(0x471, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(style));
  PostMessageA(dialog.window, WM_COMMAND, IDOK, 0);
  Sleep(500);
  Stop();
  EXPECT_EQ(StoredNumber(key, "PrinterFontBold"), 0xFFFFFFFFu);
  EXPECT_EQ(StoredNumber(key, "PrinterFontSize"), 12u);
  RegCloseKey(key);

  Start();
  TypeSearch(window_, "2035");
  WriteExpected(PaneLines(PaneText(window_)));
  PostKey(VK_F4);
}

}  // namespace

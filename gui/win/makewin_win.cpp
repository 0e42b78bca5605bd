#include "win/makewin_win.h"

#include <memory>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/twips.h"
#include "code/code.h"
#include "win/look_win.h"
#include "win/regc_window_win.h"

namespace {

constexpr const char* kFrmMakeClass = "TavloMake";

// A control at its designed place (twips).
struct Design {
  const char* klass;
  const char* caption;
  int id;
  DWORD style;
  float left, top, width, height;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const Design kControls[] = {
    {"STATIC", "Data Directory", 0, kChild, 60, 120, 1245, 195},
    {"EDIT", "", kFrmMakeDataDirId, kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 1920, 60,
     5355, 315},
    {"STATIC", "Data File", 0, kChild, 60, 480, 780, 195},
    {"EDIT", "", kFrmMakeDataFileId, kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 1920, 420,
     1995, 315},
    {"BUTTON", "&Make", kFrmMakeMakeId, kChild | WS_TABSTOP | BS_PUSHBUTTON, 60, 780, 915, 315},
    {"BUTTON", "&Dump", kFrmMakeDumpId, kChild | WS_TABSTOP | BS_PUSHBUTTON, 1200, 780, 795, 315},
    {"BUTTON", "&Close", kFrmMakeCloseId, kChild | WS_TABSTOP | BS_PUSHBUTTON, 2220, 780, 915, 315},
    {"EDIT", "", kFrmMakeLogId,
     kChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
     60, 1200, 2775, 1275},
};

// The data folder and file are paths, held in UTF-8: the edit controls are read and set in
// UTF-16, so a name outside the ANSI code page reaches the files layer whole. A text set from
// the registry that is not UTF-8 is read in the ANSI code page, as it was written.
std::string PathText(HWND control) {
  int n = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'\0');
  n = GetWindowTextW(control, text.data(), n + 1);
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return Narrow(text);
}

void SetPathText(HWND control, const std::string& text) {
  SetWindowTextW(control, WidenText(text).c_str());
}

std::string CurrentDirectory() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring dir(n, L'\0');
  n = GetCurrentDirectoryW(n, dir.data());
  dir.resize(n < dir.size() ? n : 0);
  return Narrow(dir);
}

HFONT MessageFont() {
  static HFONT font = [] {
    HFONT message_font = LookMessageFont();
    return message_font != nullptr ? message_font
                                   : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

class MakeViewWin32;
MakeViewWin32* the_window = nullptr;
void WakeModalLoop();

class MakeViewWin32 final : public MakeView {
 public:
  MakeViewWin32(HWND owner) : owner_(owner), logic_(*this) {}

  bool Create();
  HWND hwnd() const {
    return hwnd_;
  }
  MakeWindow& logic() {
    return logic_;
  }
  bool busy() const {
    return busy_;
  }
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void SetHwnd(HWND hwnd) {
    hwnd_ = hwnd;
  }

  RegcView& Frame() override {
    return *frame_;
  }
  std::string DataDir() const override {
    return PathText(Item(kFrmMakeDataDirId));
  }
  void SetDataDir(const std::string& text) override {
    SetPathText(Item(kFrmMakeDataDirId), text);
  }
  std::string DataFile() const override {
    return PathText(Item(kFrmMakeDataFileId));
  }
  void SetDataFile(const std::string& text) override {
    SetPathText(Item(kFrmMakeDataFileId), text);
  }
  // The log names the files in UTF-8 beside the builder's own ASCII text.
  void ShowLog(const std::string& log) override {
    HWND control = Item(kFrmMakeLogId);
    SetWindowTextW(control, WidenText(log).c_str());
    UpdateWindow(control);
  }
  void SetBusyPointer(bool busy) override {
    busy_ = busy;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
  }
  void ProcessEvents() override;
  void FocusLog() override {
    SetFocus(Item(kFrmMakeLogId));
  }
  void EnableCommands(bool enabled) override {
    for (int id : {kFrmMakeMakeId, kFrmMakeDumpId, kFrmMakeCloseId})
      EnableWindow(Item(id), enabled ? TRUE : FALSE);
  }
  void SetLogSize(float width, float height) override {
    SetWindowPos(Item(kFrmMakeLogId), nullptr, 0, 0, TwipsToPixels(width, TwipsPerPixelX),
                 TwipsToPixels(height, TwipsPerPixelY), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Hide() override {
    ShowWindow(hwnd_, SW_HIDE);
    WakeModalLoop();
  }
  void Close() override {
    // Posted, so the window goes once the Make's own calls have all returned.
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  }
  void CloseMainWindow() override {
    PostMessageA(owner_, WM_CLOSE, 0, 0);
  }

  void Unload() {
    logic_.Unload();
    DestroyWindow(hwnd_);
  }

 private:
  HWND Item(int id) const {
    return GetDlgItem(hwnd_, id);
  }
  MakeLayout Layout() const {
    RECT inner{};
    GetClientRect(hwnd_, &inner);
    MakeLayout l;
    l.visible = IsWindowVisible(hwnd_) != FALSE;
    l.minimised = IsIconic(hwnd_) != FALSE;
    l.inner_width = static_cast<float>(inner.right) * TwipsPerPixelX;
    l.inner_height = static_cast<float>(inner.bottom) * TwipsPerPixelY;
    l.log_left = 60;
    l.log_top = 1200;
    l.data_dir_top = 60;
    return l;
  }

  HWND owner_;
  HWND hwnd_ = nullptr;
  std::unique_ptr<RegcViewWin32> frame_;
  MakeWindow logic_;
  bool busy_ = false;
};

// The modal loop waits for posted messages; a click sent from elsewhere that hides or closes
// the window must wake it.
void WakeModalLoop() {
  PostMessageA(nullptr, WM_NULL, 0, 0);
}

// Runs one message the way the modal loop does: the dialog keys (Tab, access keys) first.
void Dispatch(MSG& message) {
  if (the_window != nullptr && IsDialogMessageA(the_window->hwnd(), &message))
    return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void MakeViewWin32::ProcessEvents() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

LRESULT CALLBACK frmMakeProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (the_window != nullptr && the_window->hwnd() == hwnd)
    return the_window->Handle(message, wparam, lparam);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT MakeViewWin32::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) {
        switch (LOWORD(wparam)) {
          case kFrmMakeMakeId:
            logic_.cmdMake_Click();
            return 0;
          case kFrmMakeDumpId:
            logic_.cmdDump_Click();
            return 0;
          case kFrmMakeCloseId:
            logic_.cmdClose_Click();
            return 0;
        }
      }
      break;
    case WM_SIZE:
      logic_.Resize(Layout());
      return 0;
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (logic_.QueryUnload())
        Unload();
      return 0;
    case WM_QUERYENDSESSION:
      return logic_.MayEndSession() ? TRUE : FALSE;
    case WM_NCDESTROY: {
      WakeModalLoop();
      LRESULT r = DefWindowProcA(hwnd_, message, wparam, lparam);
      the_window = nullptr;
      delete this;
      return r;
    }
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

bool MakeViewWin32::Create() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!LookRegisterClass(instance, kFrmMakeClass, frmMakeProc))
    return false;
  hwnd_ = LookCreateTopLevel(kFrmMakeClass, kMakeCaption, kFrmMakeInnerWidthTwips,
                             kFrmMakeInnerHeightTwips, owner_, nullptr);
  if (hwnd_ == nullptr)
    return false;
  for (const Design& d : kControls) {
    // The edit controls are Unicode ones, so that they keep a path's every character.
    const bool edit = d.klass[0] == 'E';
    const std::wstring klass = Widen(d.klass);
    const std::wstring caption = Widen(d.caption);
    HWND control = CreateWindowExW(
        edit ? WS_EX_CLIENTEDGE : 0, klass.c_str(), caption.c_str(), d.style & ~WS_BORDER,
        TwipsToPixels(d.left, TwipsPerPixelX), TwipsToPixels(d.top, TwipsPerPixelY),
        TwipsToPixels(d.width, TwipsPerPixelX), TwipsToPixels(d.height, TwipsPerPixelY), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(d.id)), instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
  }
  SendMessageA(GetDlgItem(hwnd_, kFrmMakeLogId), EM_SETLIMITTEXT, 0, 0);  // the whole log
  frame_ = std::make_unique<RegcViewWin32>(hwnd_, TwipsPerPixelX, TwipsPerPixelY);
  return true;
}

}  // namespace

void frmMakeShowModal(HWND owner) {
  if (the_window == nullptr) {
    auto* window = new MakeViewWin32(owner);
    the_window = window;
    if (!window->Create()) {
      if (window->hwnd() != nullptr)
        DestroyWindow(window->hwnd());
      else
        delete window;
      the_window = nullptr;
      return;
    }
    window->logic().Load(CurrentDirectory());
  }
  HWND hwnd = the_window->hwnd();
  EnableWindow(owner, FALSE);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  the_window->logic().Activate();
  SetFocus(GetDlgItem(hwnd, kFrmMakeDataDirId));
  MSG message;
  while (the_window != nullptr && IsWindowVisible(the_window->hwnd())) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0)
        PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  EnableWindow(owner, TRUE);
  SetForegroundWindow(owner);
}

bool frmMakeLoaded() {
  return the_window != nullptr;
}

void frmMakeUnload() {
  if (the_window != nullptr)
    the_window->Unload();
}

MakeWindow* frmMakeLogic() {
  return the_window != nullptr ? &the_window->logic() : nullptr;
}

HWND frmMakeWindow() {
  return the_window != nullptr ? the_window->hwnd() : nullptr;
}

// The real program under Wine, driven by a seeded run of random user actions: keystrokes,
// searches, list moves, Tab and Enter, resizes, ruler drags, help and version from the keyboard
// (never Exit, printing or the maintenance key). The run is bounded in count and in time; at its
// end the window must answer, and the next start must restore exactly what the close wrote.
// The seed is printed; TAVLO_RANDOM_SEED=N replays a run.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "base/app.h"
#include "support/drive_win.h"
#include "win/mainwin_win.h"

namespace {

constexpr int kMaxActions = 6000;
constexpr auto kMaxTime = std::chrono::seconds(110);

std::string RegText(const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, kPrefsKey, name, RRF_RT_ANY, nullptr, data, &size) != 0)
    return "(none)";
  return std::string(data, size);
}

long RegLong(const char* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kPrefsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size))
    return -99;
  return static_cast<int32_t>(value);
}

// Keys typed on the real keyboard: each code pressed and released in turn, the modifiers in
// `held` around them.
void Type(HWND window, std::initializer_list<WORD> codes, std::initializer_list<WORD> held = {}) {
  SetForegroundWindow(window);
  INPUT keys[16] = {};
  int n = 0;
  auto add = [&](WORD code, DWORD flags) {
    keys[n].type = INPUT_KEYBOARD;
    keys[n].ki.wVk = code;
    keys[n].ki.dwFlags = flags;
    ++n;
  };
  for (WORD h : held)
    add(h, 0);
  for (WORD c : codes) {
    add(c, 0);
    add(c, KEYEVENTF_KEYUP);
  }
  for (WORD h : held)
    add(h, KEYEVENTF_KEYUP);
  SendInput(n, keys, sizeof(INPUT));
}

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

RECT ChildRect(HWND window, int id) {
  RECT r{};
  GetWindowRect(Child(window, id), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string SearchText(HWND window) {
  char text[4096] = {};
  SendMessageA(Child(window, kIdTxtSearch), WM_GETTEXT, sizeof text,
               reinterpret_cast<LPARAM>(text));
  return text;
}

unsigned Seed() {
  if (const char* given = std::getenv("TAVLO_RANDOM_SEED"))
    return static_cast<unsigned>(std::strtoul(given, nullptr, 10));
  return std::random_device()();
}

class RandomRun {
 public:
  RandomRun(HWND window, unsigned seed) : window_(window), random_(seed) {}

  int Pick(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
  }

  // One action; its name for the failure message.
  const char* Act() {
    static const char* const kSearches[] = {"2035", "x7f3", "KXRC", "_",     "not_auth", "",
                                            "9",    "[",    "-1",   "kxcc_", "2",        "full"};
    static const WORD kTyped[] = {'0', '2', '3', '5', '9',     'A',          'K',      'X',
                                  'R', 'C', 'F', 'Q', VK_BACK, VK_OEM_MINUS, VK_SPACE, VK_DELETE};
    static const WORD kListKeys[] = {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_HOME, VK_END};
    HWND list = Child(window_, kIdLstMatches);
    switch (Pick(0, 9)) {
      case 0:
        Type(window_, {kTyped[Pick(0, 15)], kTyped[Pick(0, 15)]});
        return "keystrokes";
      case 1:
        if (Pick(0, 4) == 0) {
          TypeSearch(window_, std::string(static_cast<std::size_t>(Pick(1, 3000)), 'K'));
          return "a long search";
        }
        TypeSearch(window_, kSearches[Pick(0, 11)]);
        return "a search";
      case 2:
        PostMessageA(list, WM_KEYDOWN, kListKeys[Pick(0, 5)], 0);
        return "a list move";
      case 3:
        Type(window_, {VK_TAB},
             Pick(0, 1) ? std::initializer_list<WORD>{VK_SHIFT} : std::initializer_list<WORD>{});
        return "Tab";
      case 4:
        Type(window_, {VK_RETURN});
        return "Enter";
      case 5:
        SetWindowPos(window_, nullptr, Pick(0, 300), Pick(0, 200), Pick(250, 1000), Pick(200, 780),
                     SWP_NOZORDER);
        return "a resize";
      case 6:
      case 7: {
        HWND ruler = Child(window_, kIdPicRuler);
        RECT client{};
        GetClientRect(window_, &client);
        const int from = ChildRect(window_, kIdPicRuler).left;
        auto at = [from](int x) { return MAKELPARAM(static_cast<WORD>(x - from), 5); };
        PostMessageA(ruler, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
        for (int moves = Pick(1, 3); moves > 0; --moves)
          PostMessageA(ruler, WM_MOUSEMOVE, MK_LBUTTON, at(Pick(-40, client.right + 40)));
        PostMessageA(ruler, WM_LBUTTONUP, 0, at(Pick(-40, client.right + 40)));
        return "a ruler drag";
      }
      case 8:
        Type(window_, {VK_F1});
        return "help (F1)";
      default:
        Type(window_, {'H'}, {VK_MENU});  // the Help menu, then its "&Version..."
        Type(window_, {'V'});
        return "version (Alt+H, V)";
    }
  }

 private:
  HWND window_;
  std::mt19937 random_;
};

// Left, top, width and height in twips, as "MainWindow" holds them.
std::string PlacementText(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return std::to_string(r.left * 15) + "," + std::to_string(r.top * 15) + "," +
         std::to_string((r.right - r.left) * 15) + "," + std::to_string((r.bottom - r.top) * 15);
}

TEST(RandomRun, TheWindowAnswersAndTheNextStartRestoresWhatTheCloseWrote) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kPrefsKey);
  const unsigned seed = Seed();
  std::printf("random run seed %u (TAVLO_RANDOM_SEED=%u replays it)\n", seed, seed);
  std::fflush(stdout);
  RecordProperty("seed", std::to_string(seed));

  RunningTavlo tavlo;
  ASSERT_TRUE(tavlo.Start(WindowsPath(TAVLO_DIST_EXE)));
  RandomRun run(tavlo.window, seed);
  const auto start = std::chrono::steady_clock::now();
  int done = 0;
  std::string recent;  // the last actions, for the failure message
  for (; done < kMaxActions && std::chrono::steady_clock::now() - start < kMaxTime; ++done) {
    const char* action = run.Act();
    recent = (recent.size() > 200 ? recent.substr(recent.find(';') + 2) : recent) + action + "; ";
    if (run.Pick(0, 3) == 0)
      Sleep(static_cast<DWORD>(run.Pick(1, 30)));
    if (done % 25 == 0 || WaitForSingleObject(tavlo.process.hProcess, 0) != WAIT_TIMEOUT) {
      DWORD code = STILL_ACTIVE;
      GetExitCodeProcess(tavlo.process.hProcess, &code);
      ASSERT_EQ(code, static_cast<DWORD>(STILL_ACTIVE))
          << "the program ended with " << code << " after action " << done << " (" << recent
          << "), seed " << seed;
      ASSERT_TRUE(Answers(tavlo.window))
          << "no answer after action " << done << " (" << action << "), seed " << seed;
    }
  }
  std::printf("random run: %d actions\n", done);
  // A menu the last keys opened is closed; then the window answers and still searches.
  Type(tavlo.window, {VK_ESCAPE, VK_ESCAPE});
  ASSERT_TRUE(Answers(tavlo.window)) << "seed " << seed;
  TypeSearch(tavlo.window, "2035");
  EXPECT_EQ(ListLines(tavlo.window).size(), 2u) << "seed " << seed;
  ASSERT_TRUE(tavlo.Close(20000)) << "seed " << seed;

  const std::string placement = RegText("MainWindow");
  const long ruler = RegLong("Ruler");
  const std::string last_search = RegText("LastSearch");
  ASSERT_TRUE(tavlo.Start(WindowsPath(TAVLO_DIST_EXE)));
  EXPECT_EQ(PlacementText(tavlo.window), placement) << "seed " << seed;
  EXPECT_EQ(ChildRect(tavlo.window, kIdPicRuler).left * 15, ruler) << "seed " << seed;
  EXPECT_EQ(SearchText(tavlo.window), last_search) << "seed " << seed;
  ASSERT_TRUE(tavlo.Close(20000));
  EXPECT_EQ(RegText("MainWindow"), placement) << "seed " << seed;
  EXPECT_EQ(RegLong("Ruler"), ruler) << "seed " << seed;
  EXPECT_EQ(RegText("LastSearch"), last_search) << "seed " << seed;
}

}  // namespace

// mainwin_bench PROGRAM [ROUNDS]: figures of the main window, in milliseconds (medians).
//   keystroke TEXT   the search text set through the search box of the real main window
//                    (loaded from PROGRAM): the search, the list filled, the first description
//                    shown and the window repainted; against the empty text (the prompt)
//   find WORDS       Find by Words (the File menu's command) in the real main window with WORDS
//                    in the search box: every record ranked, the list filled, the first
//                    description shown and the window repainted; against the keystroke "_"
//   load fresh       LoadBinaryResource with no cache: the program file copied, then read
//   load current     LoadBinaryResource with a current cache, and which operations touched
//                    the program file
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "code/code.h"
#include "win/mainwin_win.h"
#include "base/app.h"
#include "mainwin/mainwin.h"
#include "mainwin/mainwin_words.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Now() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// A window that does nothing, for timing the load alone.
class NullView : public MainView {
 public:
  std::string SearchText() override {
    return search;
  }
  void SetSearchText(const std::string&) override {}
  void SelectAllSearchText() override {}
  void FocusSearch() override {}
  void ListClear() override {}
  int ListAdd(const std::string&) override {
    return 0;
  }
  void ListSelect(int) override {}
  int ListSelected() override {
    return -1;
  }
  bool ListSetTabStops(int) override {
    return true;
  }
  void SetResultText(const std::string& text) override {
    result = text;
  }
  std::string ResultText() override {
    return result;
  }
  std::string Title() override {
    return "tavlo";
  }
  void SetBusyPointer(bool) override {}
  void Beep() override {}
  bool IsVisible() override {
    return true;
  }
  bool IsMinimised() override {
    return false;
  }
  void InnerSize(float* w, float* h) override {
    *w = *h = 0;
  }
  void Place(MainControl, const TwipsRect&) override {}
  void SendRulerToBack() override {}
  std::string search;
  std::string result;
};

// The platform's files, noting what touched the program file.
class WatchedFiles : public FileSystem {
 public:
  int Stat(const std::string& path, FileFacts* facts) override {
    if (path == ResourceFile)
      program_ops.push_back("size and time");
    return FileSystem::Stat(path, facts);
  }
  int Copy(const std::string& from, const std::string& to) override {
    if (from == ResourceFile)
      program_ops.push_back("copied");
    return FileSystem::Copy(from, to);
  }
  std::vector<std::string> program_ops;
};

std::string WindowsPathOf(std::string path) {
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  return path[0] == '\\' ? "Z:" + path : path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: mainwin_bench PROGRAM [ROUNDS]\n");
    return 2;
  }
  const std::string program = WindowsPathOf(argv[1]);
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 50;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "tavlo-bench";
  CreateDirectoryA(folder.c_str(), nullptr);

  // The load, in this process.
  ResourceFile = program;
  CacheFile = folder + "\\tavlo_cache.tmp";
  NullView view;
  WatchedFiles files;
  MainWindow window(view, files);
  std::vector<double> fresh, current;
  for (int i = 0; i < std::max(5, rounds / 5); ++i) {
    DeleteFileA(CacheFile.c_str());
    double t = Now();
    window.LoadBinaryResource();
    fresh.push_back(Now() - t);
    files.program_ops.clear();
    t = Now();
    window.LoadBinaryResource();
    current.push_back(Now() - t);
  }
  if (RecordCount == 0) {
    std::fprintf(stderr, "the load failed: %s\n", view.result.c_str());
    return 1;
  }
  std::string ops;
  for (const std::string& op : files.program_ops)
    ops += (ops.empty() ? "" : ", ") + op;
  std::printf("%-28s %8.2f ms\n", "load, fresh cache", Median(fresh));
  std::printf("%-28s %8.2f ms   ratio to fresh %.2f   program file: %s\n", "load, current cache",
              Median(current), Median(current) / Median(fresh), ops.c_str());

  // The search's own work, without a window: scans, lines, order, the first description.
  for (const char* text : {"", "2035", "_"}) {
    std::vector<double> times;
    view.search = text;
    for (int i = 0; i < rounds; ++i) {
      double t = Now();
      window.txtSearch_Change();
      times.push_back(Now() - t);
    }
    std::printf("search logic %-8s %8.3f ms\n", ("'" + std::string(text) + "'").c_str(),
                Median(times));
  }
  for (const char* words : {"queue full", "the"}) {
    std::vector<double> times;
    view.search = words;
    for (int i = 0; i < rounds; ++i) {
      double t = Now();
      mnuFileFindWords_Click(window);
      times.push_back(Now() - t);
    }
    std::printf("find logic %-12s %8.3f ms\n", ("'" + std::string(words) + "'").c_str(),
                Median(times));
  }

  // Keystrokes, in the real window: the text set through the search box, whose change runs
  // the search; then every pending message handled and what the change invalidated repainted.
  HWND main = frmMainShow();
  int rc = 0;
  if (main == nullptr || RecordCount == 0) {
    std::fprintf(stderr, "the window did not load\n");
    return 1;
  }
  HWND search = GetDlgItem(main, kIdTxtSearch);
  HWND list = GetDlgItem(main, kIdLstMatches);
  auto type = [&](const char* text) {
    SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  };
  auto paint = [&] {
    RedrawWindow(main, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&message);
  };
  const char* texts[] = {"", "2035", "_"};
  double reference = 0;
  double worst_keystroke = 0;  // "_": every code listed
  for (const char* text : texts) {
    std::vector<double> handled, painted;
    for (int i = 0; i < rounds; ++i) {
      type("x");  // a change each time, as typing makes
      paint();
      double t = Now();
      type(text);
      double u = Now();
      paint();
      handled.push_back(u - t);
      painted.push_back(Now() - t);
    }
    double h = Median(handled);
    double m = Median(painted);
    if (*text == '\0')
      reference = m;
    if (std::string(text) == "_")
      worst_keystroke = m;
    std::printf(
        "keystroke %-8s handled %7.2f ms, with repaint %7.2f ms   ratio to empty %.2f   "
        "(%ld lines)\n",
        ("'" + std::string(text) + "'").c_str(), h, m, m / reference,
        static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
    std::fflush(stdout);
  }
  // Find by Words, chosen from the menu with the words in the search box.
  for (const char* words : {"queue full", "the"}) {
    std::vector<double> handled, painted;
    for (int i = 0; i < rounds; ++i) {
      type(words);  // the box's own search runs first, as when the user types the words
      paint();
      double t = Now();
      SendMessageA(main, WM_COMMAND, kMnuFileFindWords, 0);
      double u = Now();
      paint();
      handled.push_back(u - t);
      painted.push_back(Now() - t);
    }
    double m = Median(painted);
    std::printf(
        "find %-12s handled %7.2f ms, with repaint %7.2f ms   ratio to '_' %.2f   (%ld lines)\n",
        ("'" + std::string(words) + "'").c_str(), Median(handled), m, m / worst_keystroke,
        static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
    std::fflush(stdout);
  }
  // Where a keystroke's time goes: the pane's text shown at once, and the list filled.
  MainViewWin32* controls = frmMainView();
  std::vector<double> pane, fill;
  for (int i = 0; i < rounds; ++i) {
    double t = Now();
    controls->SetResultText(kSearchPrompt);
    pane.push_back(Now() - t);
    t = Now();
    controls->ListClear();
    controls->ListHoldRedraw(true);
    for (int n = 1; n <= RecordCount; ++n)
      controls->ListAdd(MatchLine(n));
    controls->ListHoldRedraw(false);
    fill.push_back(Now() - t);
    paint();
  }
  std::printf("pane text shown at once  %8.2f ms\n", Median(pane));
  std::printf("list of %d lines filled %8.2f ms\n", static_cast<int>(RecordCount), Median(fill));
  DestroyWindow(main);
  DeleteFileA(CacheFile.c_str());
  return rc;
}

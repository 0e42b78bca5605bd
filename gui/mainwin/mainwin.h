// frmMain's logic: loading the description store, the search as the user types, the match
// list and the description pane, Enter, and the layout. Knows nothing of Win32: it works on a
// MainView, reads the container through BINRES and the cache through FileSystem, and shows
// modal boxes through MsgBox.
//
// Operations (named as the window's events and routines):
//   Form_Load(ruler, last_search)  PlacePanes, SendRulerToBack, LoadBinaryResource,
//                                  SetListTabStops, RestoreSearch: the start-up of the window
//   PlacePanes(ruler)           list, ruler and pane from a ruler position (0: first run)
//   ApplyLayout()               every control to its place in Layout()
//   LoadBinaryResource()        refreshes the cache and loads the store (mainwin_store.h); a
//                               cache that cannot be opened as a file is read from a copy of
//                               this run's own; a failed load empties the list
//   ShowResult(text)            the result pane's text, repainted at once
//   SetListTabStops()           24 dialog units; a warning box when the list refuses
//   RestoreSearch(text)         puts text into the search box, searches, selects the text
//   txtSearch_Change()          the search: numeric keys, else symbolic; fills the list
//   lstMatches_Click()          shows the selected match's description
//   Form_KeyPress(key)          Enter (13) searches again and is consumed (key = 0)
//   Form_Resize()               stretches the pane and the list to the window
//
// Failure report numbers of the load's own (beside the platform's error numbers):
//   32101  "Record count not between 1 and 32767"
//   32102  "Out of memory"
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_H
#define TAVLO_GUI_MAINWIN_MAINWIN_H

#include <cstdint>
#include <string>
#include <vector>

#include "base/files.h"
#include "mainwin/mainwin_layout.h"
#include "mainwin/mainwin_store.h"
#include "mainwin/mainwin_view.h"

constexpr int kErrRecordCount = 32101;
constexpr int kErrOutOfMemory = 32102;
// The list's tab-stop distance in dialog units.
constexpr int kListTabStop = 24;
constexpr const char* kSearchPrompt =
    "Please enter a Completion Code, Reason Code or\r\npart of a Symbolic Name to search.";

// The container operations of the load; the default forwards to BINRES, whose status pair
// (BinResErr, BinResErrMsg) tells the outcome of each. Tests derive to make one fail.
class ResourceReader {
 public:
  virtual ~ResourceReader() = default;
  virtual void Open(const std::string& path);
  virtual std::string Get(const std::string& identifier);
  virtual void Close();
};

// Case-insensitive order of the match lines: bytes compared with A-Z taken as a-z, so the
// heading's leading space sorts first, then "-", digits, a tab before any digit, "_" before
// letters.
bool MatchLineLess(const std::string& a, const std::string& b);
// The search text in upper case: a-z and the small letters of Windows-1252.
std::string UpperCase1252(std::string text);

class MainWindow {
 public:
  explicit MainWindow(MainView& view, FileSystem& files = PlatformFiles());

  void SetResourceReader(ResourceReader* reader);  // nullptr: BINRES itself

  void Form_Load(float ruler_position = 0, const std::string& last_search = "");
  void PlacePanes(float ruler_position);
  void ApplyLayout();
  void LoadBinaryResource();
  void ShowResult(const std::string& text);
  void SetListTabStops();
  void RestoreSearch(const std::string& text);
  void txtSearch_Change();
  void lstMatches_Click();
  void Form_KeyPress(int& key);
  void Form_Resize();

  // What the list shows: its lines (a heading or "No match" line first), the record number of
  // each (0 for that first line) and the selected line (-1: none). The view only renders them.
  const std::vector<std::string>& ShownLines() const {
    return lines_;
  }
  const std::vector<int>& ShownRecords() const {
    return records_;
  }
  int SelectedLine() const {
    return selected_;
  }
  void SelectLine(int index);  // -1 clears the selection
  // Replaces what the list shows (nothing selected); for the searches of other modules.
  void ShowLines(std::vector<std::string> lines, std::vector<int> records);

  MainLayout& Layout() {
    return layout_;
  }
  MainView& View() {
    return view_;
  }

 private:
  struct LoadReport;
  struct CacheCopy {
    std::string path;       // the cache, or this run's own fresh copy of it
    bool own_copy = false;  // path is this run's copy, deleted after the load
  };

  bool LoadWithBusyPointer();
  bool RefreshCache(LoadReport* report, CacheCopy* cache);
  bool ReadOwnCopy(LoadReport* report, CacheCopy* cache);
  static bool IsPlatformStatus(int status);
  bool ReadContainer(const std::string& path, LoadReport* report);
  void ReadStore(LoadReport* report);
  bool ReadResource(const char* identifier, std::string* out, LoadReport* report);

  MainView& view_;
  FileSystem& files_;
  ResourceReader default_reader_;
  ResourceReader* reader_;
  MainLayout layout_;
  std::vector<std::string> lines_;
  std::vector<int> records_;
  int selected_ = -1;
};

#endif

#include "mainwin/mainwin.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "base/app.h"
#include "base/clock.h"
#include "binres/binres.h"
#include "code/code.h"
#include "contents/contents.h"
#include "base/msgbox.h"
#include "base/text.h"

namespace {

const std::string kLineEnd = kCrLf;
const char* const kDebugTitle = "Debug";

char FoldCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

void ResourceReader::Open(const std::string& path) {
  BinResOpen(path, 0);
}

std::string ResourceReader::Get(const std::string& identifier) {
  return BinResGet(identifier);
}

void ResourceReader::Close() {
  BinResClose();
}

bool MatchLineLess(const std::string& a, const std::string& b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(FoldCase(a[i]));
    unsigned char y = static_cast<unsigned char>(FoldCase(b[i]));
    if (x != y)
      return x < y;
  }
  return a.size() < b.size();
}

std::string UpperCase1252(std::string text) {
  for (char& ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
      c = static_cast<unsigned char>(c - 0x20);
    } else if (c == 0x9A || c == 0x9C || c == 0x9E) {
      c = static_cast<unsigned char>(c - 0x10);
    } else if (c == 0xFF) {
      c = 0x9F;
    }
    ch = static_cast<char>(c);
  }
  return text;
}

MainWindow::MainWindow(MainView& view, FileSystem& files)
    : view_(view), files_(files), reader_(&default_reader_), layout_(DesignedLayout()) {}

void MainWindow::SetResourceReader(ResourceReader* reader) {
  reader_ = reader != nullptr ? reader : &default_reader_;
}

void MainWindow::Form_Load(float ruler_position, const std::string& last_search) {
  PlacePanes(ruler_position);
  view_.SendRulerToBack();
  LoadBinaryResource();
  SetListTabStops();
  RestoreSearch(last_search);
}

void MainWindow::PlacePanes(float ruler_position) {
  ::PlacePanes(&layout_, ruler_position, TwipsPerPixelX);
  ApplyLayout();
}

void MainWindow::ApplyLayout() {
  for (int i = 0; i < kMainControlCount; ++i) {
    MainControl c = static_cast<MainControl>(i);
    view_.Place(c, layout_[c]);
  }
}

void MainWindow::ShowResult(const std::string& text) {
  view_.SetResultText(text);
}

void MainWindow::SetListTabStops() {
  if (!view_.ListSetTabStops(kListTabStop)) {
    MsgBox("AT_Setting=" + std::to_string(kListTabStop) + kLineEnd +
               "SendMessage(ATList.hwnd, EM_SETTABSTOPS, 1, Setting)) failed",
           kMsgBoxExclamation | kMsgBoxOkOnly, view_.Title());
  }
}

void MainWindow::RestoreSearch(const std::string& text) {
  view_.SetSearchText(text);
  txtSearch_Change();
  view_.SelectAllSearchText();
}

namespace {

// The busy pointer, shown for as long as it lives.
class BusyPointer {
 public:
  explicit BusyPointer(MainView& view) : view_(view) {
    view_.SetBusyPointer(true);
  }
  ~BusyPointer() {
    view_.SetBusyPointer(false);
  }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  MainView& view_;
};

std::string ContainerFailure(const std::string& what, const std::string& file) {
  return "Binary Resource Error: " + what + kLineEnd + "File=" + DisplayPath(file) + kLineEnd +
         "Error=" + std::to_string(BinResErr) + " " + BinResErrMsg;
}

}  // namespace

// What a load has to report so far, and the file of its latest file operation.
struct MainWindow::LoadReport {
  std::string current;
  std::string messages;

  void Runtime(int number, const std::string& description) {
    messages += "File: " + DisplayPath(current) + kLineEnd + "Runtime Error " +
                std::to_string(number) + ": " + description;
  }
};

void MainWindow::LoadBinaryResource() {
  const bool debug = DebugMode != kFalse;
  const std::uint32_t start = debug ? Ticks() : 0;
  if (!LoadWithBusyPointer())
    return;  // the container did not open: the pane says why, and the load is not timed
  if (debug) {
    MsgBox("LoadBinaryResource took " + std::to_string(Ticks() - start) + " ms", kMsgBoxOkOnly,
           kDebugTitle);
  }
}

// The load's steps; false when the container did not open.
bool MainWindow::LoadWithBusyPointer() {
  BusyPointer busy(view_);
  ShowResult("Initialising...");
  StoreClear();
  LoadReport report;
  CacheCopy cache{CacheFile, false};
  bool refreshed = false;
  try {
    refreshed = RefreshCache(&report, &cache);
  } catch (const std::bad_alloc&) {
    report.Runtime(kErrOutOfMemory, "Out of memory");
  }
  bool opened = true;
  if (refreshed) {
    opened = ReadContainer(cache.path, &report);
    // A current cache that cannot be opened as a file (another program holds it without
    // sharing it): this run reads a copy of its own instead.
    if (!opened && !cache.own_copy && IsPlatformStatus(BinResErr))
      opened = ReadOwnCopy(&report, &cache);
  }
  if (cache.own_copy)
    files_.Remove(cache.path);
  if (!opened) {
    ShowResult(ContainerFailure("Can't open to read.", cache.path));
    ShowLines({}, {});  // a failed load leaves no match of the descriptions it dropped
    return false;
  }
  if (!report.messages.empty()) {
    ShowResult(report.messages);
    view_.Beep();
    RecordCount = 0;
    NumericKeys.clear();
    SymbolicKeys.clear();
    ShowLines({}, {});
  }
  return true;
}

// BINRES's own statuses lie from 32001 up; below them are the system's numbers for a file that
// could not be opened or read.
bool MainWindow::IsPlatformStatus(int status) {
  return status != 0 && (status < 32001 || status > 32099);
}

// The program file copied under this run's own name and read from there; false when that copy
// does not open either. A failed copy is reported as the load's.
bool MainWindow::ReadOwnCopy(LoadReport* report, CacheCopy* cache) {
  std::string own = files_.TempName(CacheFile);
  report->current = CacheFile;
  if (int err = files_.Copy(ResourceFile, own)) {
    files_.Remove(own);
    report->Runtime(err, files_.ErrorText(err));
    return true;
  }
  cache->path = own;
  cache->own_copy = true;
  return ReadContainer(own, report);
}

// Copies the program file to the cache when the cache is missing or differs from it in size
// or last-write time. False with the failure reported.
bool MainWindow::RefreshCache(LoadReport* report, CacheCopy* cache) {
  auto failed = [&](int error) {
    report->Runtime(error, files_.ErrorText(error));
    return false;
  };
  report->current = ResourceFile;
  FileFacts program;
  if (int err = files_.Stat(ResourceFile, &program))
    return failed(err);
  report->current = CacheFile;
  FileFacts facts;
  if (int err = files_.Stat(CacheFile, &facts)) {
    if (!files_.IsMissing(err))
      return failed(err);
  } else if (facts.size == program.size && facts.write_time == program.write_time) {
    return true;
  }
  // Copied under a name of this run's own and put in place in one step, so that no run ever
  // opens a half-written cache.
  std::string fresh = files_.TempName(CacheFile);
  if (int err = files_.Copy(ResourceFile, fresh)) {
    files_.Remove(fresh);
    return failed(err);
  }
  if (int err = files_.Replace(fresh, CacheFile)) {
    if (!files_.IsInUse(err)) {
      files_.Remove(fresh);
      return failed(err);
    }
    // Another run holds the cache open: this run reads its own copy.
    cache->path = fresh;
    cache->own_copy = true;
  }
  return true;
}

// Opens the container at path and reads the store from it, closing it again on every path, so
// that a failed read does not leave it open for the next load to find "Already open". False,
// with BINRES's status telling why, when it does not open.
bool MainWindow::ReadContainer(const std::string& path, LoadReport* report) {
  reader_->Open(path);
  if (BinResErr != 0)
    return false;
  try {
    ReadStore(report);
  } catch (const std::bad_alloc&) {
    report->Runtime(kErrOutOfMemory, "Out of memory");
  }
  reader_->Close();
  if (BinResErr != 0)
    report->messages += ContainerFailure("Can't close.", ResourceFile);
  return true;
}

// The record count, the key lists, the version notice and the records, until one fails.
void MainWindow::ReadStore(LoadReport* report) {
  std::string text;
  if (!ReadResource(kResKeyCount, &text, report))
    return;
  long long count = ReadLeadingDecimal(text);
  if (count < INT16_MIN || count > INT16_MAX) {
    report->Runtime(kErrRecordCount, "Record count not between 1 and 32767");
    return;
  }
  RecordCount = static_cast<std::int16_t>(count);
  if (!ReadResource(kResNumericKeys, &NumericKeys, report) ||
      !ReadResource(kResSymbolicKeys, &SymbolicKeys, report) ||
      !ReadResource(kResVersion, &VersionText, report)) {
    return;
  }
  if (RecordCount < 1) {
    report->Runtime(kErrRecordCount, "Record count not between 1 and 32767");
    return;
  }
  Records.assign(static_cast<std::size_t>(RecordCount) + 1, MessageRecord());
  Matches.clear();
  Matches.reserve(static_cast<std::size_t>(RecordCount));
  for (int n = 1; n <= RecordCount; ++n) {
    if (!ReadResource(RecordResourceId(n).c_str(), &Records[n].Text, report))
      return;
  }
}

// One resource into *out; false with the failure reported.
bool MainWindow::ReadResource(const char* identifier, std::string* out, LoadReport* report) {
  *out = reader_->Get(identifier);
  if (BinResErr == 0)
    return true;
  report->messages +=
      ContainerFailure(std::string("Can't get key '") + identifier + "'.", ResourceFile);
  return false;
}

void MainWindow::txtSearch_Change() {
  ShowLines({}, {});
  if (RecordCount == 0)
    return;
  const std::string text = UpperCase1252(view_.SearchText());
  if (text.empty()) {
    ShowResult(kSearchPrompt);
    return;
  }
  const bool debug = DebugMode != kFalse;
  const std::uint32_t start = debug ? Ticks() : 0;
  Matches.clear();
  // Keys never hold a bracket, so a text with one matches nothing; in the lists a bracket
  // marks an entry, and a hit on it would decode a record number from the wrong characters.
  if (text.find_first_of("[]") == std::string::npos) {
    KeyListNumericScan(NumericKeys, text, RecordCount, &Matches);
    if (Matches.empty())
      KeyListSymbolicScan(SymbolicKeys, text, RecordCount, &Matches);
  }

  if (Matches.empty()) {
    ShowLines({"No match on '" + text + "'."}, {0});
    ShowResult("");
  } else {
    const std::size_t count = Matches.size();
    std::vector<std::pair<std::string, int>> sorted;
    sorted.reserve(count);
    for (int r : Matches)
      sorted.emplace_back(MatchLine(r), r);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return MatchLineLess(a.first, b.first); });
    std::vector<std::string> lines{count == 1 ? std::string(" One match:")
                                              : " " + std::to_string(count) + " partial matches:"};
    std::vector<int> records{0};
    for (const auto& line : sorted) {
      lines.push_back(line.first);
      records.push_back(line.second);
    }
    ShowLines(std::move(lines), std::move(records));
    SelectLine(1);
    lstMatches_Click();
  }
  if (debug) {
    MsgBox("Debug: Search took " + std::to_string(Ticks() - start) + "ms" + kLineEnd, kMsgBoxOkOnly,
           kAppTitle);
  }
}

// The list shows the lines in order: the first at once, the matches with the repainting held.
void MainWindow::ShowLines(std::vector<std::string> lines, std::vector<int> records) {
  lines_ = std::move(lines);
  records_ = std::move(records);
  selected_ = -1;
  view_.ListClear();
  if (lines_.empty())
    return;
  view_.ListAdd(lines_[0]);
  if (lines_.size() == 1)
    return;
  view_.ListHoldRedraw(true);
  for (std::size_t i = 1; i < lines_.size(); ++i)
    view_.ListAdd(lines_[i]);
  view_.ListHoldRedraw(false);
}

void MainWindow::SelectLine(int index) {
  selected_ = index;
  view_.ListSelect(index);
}

// The user's selection, as the list reports it, shows its match's description.
void MainWindow::lstMatches_Click() {
  int index = view_.ListSelected();
  selected_ = index;
  if (index <= 0 || static_cast<std::size_t>(index) >= records_.size())
    return;
  ShowResult(FormatDescription(records_[static_cast<std::size_t>(index)]));
}

void MainWindow::Form_KeyPress(int& key) {
  if (key == 13) {
    txtSearch_Change();
    key = 0;
  }
}

void MainWindow::Form_Resize() {
  if (!view_.IsVisible() || view_.IsMinimised())
    return;
  float sw = 0;
  float sh = 0;
  view_.InnerSize(&sw, &sh);
  ResizeLayout(&layout_, sw, sh, TwipsPerPixelX, TwipsPerPixelY);
  view_.Place(MainControl::kTxtResult, layout_[MainControl::kTxtResult]);
  view_.Place(MainControl::kLstMatches, layout_[MainControl::kLstMatches]);
  view_.Place(MainControl::kPicRuler, layout_[MainControl::kPicRuler]);
}

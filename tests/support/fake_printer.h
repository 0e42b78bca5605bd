// A printer for tests: every character is one unit wide, the page `width` units; it records
// what it is asked, and fails (with number 482) at the operation numbered `fail_at` (counted
// from 1) and, when `fail_end` is set, when the document is ended.
#ifndef TAVLO_TESTS_SUPPORT_FAKE_PRINTER_H
#define TAVLO_TESTS_SUPPORT_FAKE_PRINTER_H

#include <memory>
#include <string>
#include <vector>

#include "print/print.h"
#include "print/printer.h"

// The main window as printing sees it (FakePrintView): a pane text and a match list, its busy
// pointer recorded in *busy when set.
struct FakePrintView : PrintView {
  std::string text;
  std::vector<std::string> list;
  bool* busy = nullptr;

  std::string Title() override {
    return "tavlo";
  }
  std::string ResultText() override {
    return text;
  }
  int MatchListCount() override {
    return static_cast<int>(list.size());
  }
  std::string MatchListLine(int index) override {
    return list.at(index);
  }
  void SetBusyPointer(bool on) override {
    if (busy != nullptr)
      *busy = on;
  }
};

struct FakePrinterState {
  double width = 20;
  int fail_at = 0;
  bool fail_end = false;
  int operations = 0;
  std::vector<std::string> calls;  // "mm", "font Arial 12 bold", "width", "measure x", "end"
  std::vector<std::string> lines;  // what PrintLine printed, in order
};

extern FakePrinterState Fake;

// Installs the fake as the default printer with a fresh state.
void UseFakePrinter(double width = 20);

#endif

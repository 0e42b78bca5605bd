#include "mainwin/mainwin_print.h"

#include "base/app.h"
#include "print/fontdlg.h"
#include "print/print.h"

namespace {

// What printing reads of the main window: its title, the pane, the list, the pointer.
class MainPrintView : public PrintView {
 public:
  MainPrintView(MainView& view, const std::vector<std::string>& lines)
      : view_(view), lines_(lines) {}
  std::string Title() override {
    return view_.Title();
  }
  std::string ResultText() override {
    return view_.ResultText();
  }
  int MatchListCount() override {
    return static_cast<int>(lines_.size());
  }
  std::string MatchListLine(int index) override {
    return lines_.at(static_cast<std::size_t>(index));
  }
  void SetBusyPointer(bool busy) override {
    view_.SetBusyPointer(busy);
  }

 private:
  MainView& view_;
  const std::vector<std::string>& lines_;
};

}  // namespace

bool frmMainPrintCommand(int id, MainView& view, const std::vector<std::string>& lines) {
  MainPrintView print_view(view, lines);
  switch (id) {
    case kMnuFilePrintList:
      mnuFilePrintList_Click(print_view);
      return true;
    case kMnuFilePrintDescription:
      mnuFilePrint_Click(print_view);
      return true;
    case kMnuFilePrinterFont:
      mnuFilePrintFont_Click();
      return true;
    default:
      return false;
  }
}

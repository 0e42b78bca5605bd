#include "mainwin/mainwin_print.h"

#include "base/app.h"
#include "print/fontdlg.h"
#include "print/print.h"

namespace {

// What printing reads of the main window: its title, the pane, the list, the pointer.
class MainPrintView : public PrintView {
 public:
  explicit MainPrintView(MainView& view) : view_(view) {}
  std::string Title() override {
    return view_.Title();
  }
  std::string ResultText() override {
    return view_.ResultText();
  }
  int MatchListCount() override {
    return view_.ListCount();
  }
  std::string MatchListLine(int index) override {
    return view_.ListText(index);
  }
  void SetBusyPointer(bool busy) override {
    view_.SetBusyPointer(busy);
  }

 private:
  MainView& view_;
};

}  // namespace

bool frmMainPrintCommand(int id, MainView& view) {
  MainPrintView print_view(view);
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

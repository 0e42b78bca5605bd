#include "mainwin/mainwin_adapters.h"

#include "code/code.h"
#include "mainwin/mainwin_store.h"

RulerLayout FrmMainRuler(MainWindow& main) {
  const MainLayout& m = main.Layout();
  const TwipsRect& list = m[MainControl::kLstMatches];
  const TwipsRect& ruler = m[MainControl::kPicRuler];
  const TwipsRect& pane = m[MainControl::kTxtResult];
  RulerLayout l;
  float height = 0;
  main.View().InnerSize(&l.inner_width, &height);
  l.list_left = list.left;
  l.list_width = list.width;
  l.ruler_left = ruler.left;
  l.ruler_width = ruler.width;
  l.pane_left = pane.left;
  l.pane_width = pane.width;
  const TwipsRect& search = m[MainControl::kTxtSearch];
  l.search_right = search.left + search.width;
  return l;
}

void FrmMainSetRuler(MainWindow& main, const RulerLayout& l) {
  MainLayout& m = main.Layout();
  m[MainControl::kLstMatches].left = l.list_left;
  m[MainControl::kLstMatches].width = l.list_width;
  m[MainControl::kPicRuler].left = l.ruler_left;
  m[MainControl::kPicRuler].width = l.ruler_width;
  m[MainControl::kTxtResult].left = l.pane_left;
  m[MainControl::kTxtResult].width = l.pane_width;
  main.ApplyLayout();
}

void lstMatches_DragOver(MainWindow& main, float x) {
  RulerLayout l = FrmMainRuler(main);
  RulerDragOverList(l, x, TwipsPerPixelX);
  FrmMainSetRuler(main, l);
}

void txtResult_DragOver(MainWindow& main, float x) {
  RulerLayout l = FrmMainRuler(main);
  RulerDragOverPane(l, x, TwipsPerPixelX);
  FrmMainSetRuler(main, l);
}

void Form_DragDrop(MainWindow& main) {
  RulerLayout l = FrmMainRuler(main);
  RulerDrop(l, TwipsPerPixelX);
  FrmMainSetRuler(main, l);
}

void FrmMainPrefs::SetSearchText(const std::string& text) {
  // Setting the text searches, as typing does.
  main_.View().SetSearchText(text);
  main_.txtSearch_Change();
}

int FrmMainMake::RecordCount() const {
  return ::RecordCount;
}

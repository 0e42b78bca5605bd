// The main window's events beyond the search — preferences, the Help commands, the
// maintenance key and the ruler — over its logic (MainWindow) and its controls (MainView).
//
// Adapters (each the interface one module needs, over MainWindow):
//   FrmMainPrefs    PrefsView for PrefsFormLoad / PrefsFormUnload
//   FrmMainAbout    AboutView for mnuHelpUsing_Click / mnuHelpVersion_Click
//   FrmMainMake     MakeHostView for MakeMaintenanceKey
//
// Operations:
//   FrmMainRuler(main)              the panes as the ruler rules see them, in twips
//   FrmMainSetRuler(main, layout)   the panes placed by a ruler layout
//   lstMatches_DragOver(main, x)    the ruler dragged over the list, x twips from its left
//   txtResult_DragOver(main, x)     the ruler dragged over the pane, x twips from its left
//   Form_DragDrop(main)             the ruler dropped on the window's background
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_ADAPTERS_H
#define TAVLO_GUI_MAINWIN_MAINWIN_ADAPTERS_H

#include <functional>
#include <string>

#include "about/about.h"
#include "mainwin/mainwin.h"
#include "makewin/makewin.h"
#include "prefs/prefs.h"
#include "prefs/ruler.h"

RulerLayout FrmMainRuler(MainWindow& main);
void FrmMainSetRuler(MainWindow& main, const RulerLayout& layout);
void lstMatches_DragOver(MainWindow& main, float x);
void txtResult_DragOver(MainWindow& main, float x);
void Form_DragDrop(MainWindow& main);

class FrmMainPrefs final : public PrefsView {
 public:
  // frame: the whole window, for its placement; unload_make: unloads frmMake; set_caption:
  // the window's title.
  FrmMainPrefs(MainWindow& main, RegcView& frame, std::function<void()> unload_make,
               std::function<void(const std::string&)> set_caption = {})
      : main_(main),
        frame_(frame),
        unload_make_(std::move(unload_make)),
        set_caption_(std::move(set_caption)) {}

  void SetCaption(const std::string& caption) override {
    if (set_caption_)
      set_caption_(caption);
  }
  RegcView& Frame() override {
    return frame_;
  }
  RulerLayout Panes() const override {
    return FrmMainRuler(main_);
  }
  void SetPanes(const RulerLayout& panes) override {
    FrmMainSetRuler(main_, panes);
  }
  void RulerToBack() override {
    main_.View().SendRulerToBack();
  }
  void LoadBinaryResource() override {
    main_.LoadBinaryResource();
  }
  void SetListTabStops() override {
    main_.SetListTabStops();
  }
  std::string SearchText() const override {
    return main_.View().SearchText();
  }
  void SetSearchText(const std::string& text) override;
  void SelectSearchText() override {
    main_.View().SelectAllSearchText();
  }
  void UnloadMakeWindow() override {
    if (unload_make_)
      unload_make_();
  }

 private:
  MainWindow& main_;
  RegcView& frame_;
  std::function<void()> unload_make_;
  std::function<void(const std::string&)> set_caption_;
};

class FrmMainAbout final : public AboutView {
 public:
  explicit FrmMainAbout(MainWindow& main) : main_(main) {}
  void ShowResult(const std::string& text) override {
    main_.ShowResult(text);
  }
  void FocusSearch() override {
    main_.View().FocusSearch();
  }
  void ClearListSelection() override {
    main_.SelectLine(-1);
  }

 private:
  MainWindow& main_;
};

class FrmMainMake final : public MakeHostView {
 public:
  // show_modal: shows frmMake modally; false when the main window closed meanwhile.
  FrmMainMake(MainWindow& main, std::function<bool()> show_modal)
      : main_(main), show_modal_(std::move(show_modal)) {}
  bool ShowMakeWindowModal() override {
    return show_modal_ ? show_modal_() : true;
  }
  void LoadBinaryResource() override {
    main_.LoadBinaryResource();
  }
  int RecordCount() const override;
  void RunSearch() override {
    main_.txtSearch_Change();
  }

 private:
  MainWindow& main_;
  std::function<bool()> show_modal_;
};

#endif

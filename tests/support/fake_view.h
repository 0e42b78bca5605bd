// A recording MainView: keeps the controls' state in memory and logs the calls that matter to
// the tests (busy pointer, beeps, pane texts, boxes are recorded by the tests' box handler).
#ifndef TAVLO_TESTS_SUPPORT_FAKE_VIEW_H
#define TAVLO_TESTS_SUPPORT_FAKE_VIEW_H

#include <string>
#include <utility>
#include <vector>

#include "mainwin/mainwin_view.h"

class FakeMainView : public MainView {
 public:
  std::string SearchText() override {
    return search;
  }
  void SetSearchText(const std::string& text) override {
    search = text;
  }
  void SelectAllSearchText() override {
    calls.push_back("select-search");
  }
  void FocusSearch() override {
    calls.push_back("focus-search");
  }
  void ListClear() override {
    items.clear();
    selected = -1;
  }
  int ListAdd(const std::string& text) override {
    items.push_back(text);
    return static_cast<int>(items.size()) - 1;
  }
  void ListSelect(int index) override {
    selected = index;
  }
  int ListSelected() override {
    return selected;
  }
  bool ListSetTabStops(int dialog_units) override {
    calls.push_back("tabstops " + std::to_string(dialog_units));
    return tab_stops_work;
  }
  void SetResultText(const std::string& text) override {
    result = text;
    shown.push_back(text);
  }
  std::string ResultText() override {
    return result;
  }
  std::string Title() override {
    return "tavlo";
  }
  void SetBusyPointer(bool busy) override {
    calls.push_back(busy ? "busy" : "normal");
  }
  void Beep() override {
    calls.push_back("beep");
  }
  bool IsVisible() override {
    return visible;
  }
  bool IsMinimised() override {
    return minimised;
  }
  void InnerSize(float* width, float* height) override {
    *width = inner_width;
    *height = inner_height;
  }
  void Place(MainControl control, const TwipsRect& rect) override {
    placed[static_cast<int>(control)] = rect;
  }
  void SendRulerToBack() override {
    calls.push_back("ruler-to-back");
  }

  std::vector<std::string> ListTexts() const {
    return items;
  }

  std::string search;
  std::vector<std::string> items;
  int selected = -1;
  std::string result;
  std::vector<std::string> shown;  // every text the pane was given, in order
  std::vector<std::string> calls;
  bool tab_stops_work = true;
  bool visible = true;
  bool minimised = false;
  float inner_width = 10515;
  float inner_height = 6180;
  TwipsRect placed[kMainControlCount];
};

#endif

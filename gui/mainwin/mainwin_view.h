// The main window frmMain as its logic sees it: the calls MainWindow makes on the window. The
// Win32 layer implements it over the real controls; tests implement it with a recording fake.
//
// Controls: txtSearch (single-line edit), lstMatches (list box; its items stand in the order
// they are added; the logic keeps what they mean), picRuler (the bar between list and pane),
// txtResult (multi-line, read-only, vertical scroll bar), Label1 ("Search for").
//
// Setting a text or a selection from here raises no event: the logic calls its own handlers
// (txtSearch_Change, lstMatches_Click) where the design says that setting raises them. Events
// the user causes reach the logic through the window's message handling.
//
// Geometry is in twips; the window converts with the screen's twips per pixel.
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_VIEW_H
#define TAVLO_GUI_MAINWIN_MAINWIN_VIEW_H

#include <string>

#include "mainwin/mainwin_layout.h"

class MainView {
 public:
  virtual ~MainView() = default;

  // txtSearch
  virtual std::string SearchText() = 0;
  virtual void SetSearchText(const std::string& text) = 0;
  virtual void SelectAllSearchText() = 0;
  virtual void FocusSearch() = 0;

  // lstMatches
  virtual void ListClear() = 0;
  // Appends; returns the item's index, negative when the list has no room.
  virtual int ListAdd(const std::string& text) = 0;
  virtual void ListSelect(int index) = 0;  // -1 clears the selection
  virtual int ListSelected() = 0;          // -1 when nothing is selected
  // One tab-stop distance in dialog units; false when the list refused it.
  virtual bool ListSetTabStops(int dialog_units) = 0;
  // Holds the list's repainting while it is filled (true), and repaints it once (false).
  virtual void ListHoldRedraw(bool /*hold*/) {}

  // txtResult: replaces the whole text and repaints the pane at once.
  virtual void SetResultText(const std::string& text) = 0;
  virtual std::string ResultText() = 0;

  // The window.
  virtual std::string Title() = 0;
  virtual void SetBusyPointer(bool busy) = 0;
  virtual void Beep() = 0;
  virtual bool IsVisible() = 0;
  virtual bool IsMinimised() = 0;
  virtual void InnerSize(float* width, float* height) = 0;  // twips
  virtual void Place(MainControl control, const TwipsRect& rect) = 0;
  virtual void SendRulerToBack() = 0;
};

#endif

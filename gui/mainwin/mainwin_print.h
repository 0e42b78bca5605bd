// The printing items of the main window's File menu, run on the window as its logic sees it.
//
// Operations:
//   frmMainPrintCommand(id, view, lines)
//                                  runs the item with the menu command id: kMnuFilePrintList
//                                  (mnuFilePrintList_Click), kMnuFilePrintDescription
//                                  (mnuFilePrint_Click) or kMnuFilePrinterFont
//                                  (mnuFilePrintFont_Click); false, doing nothing, for any
//                                  other id
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_PRINT_H
#define TAVLO_GUI_MAINWIN_MAINWIN_PRINT_H

#include <string>
#include <vector>

#include "mainwin/mainwin_view.h"

bool frmMainPrintCommand(int id, MainView& view, const std::vector<std::string>& lines);

#endif

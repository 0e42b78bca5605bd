#include "win/menus_win.h"

#include "base/app.h"

HMENU frmMainMenuBar() {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU help = CreatePopupMenu();
  // A shortcut is shown after a tab, as Windows menus show theirs.
  AppendMenuA(file, MF_STRING, kMnuFileFindWords, "Find by &Words...\tCtrl+Shift+F");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, kMnuFilePrintList, "&Print Matched List\tCtrl+P");
  AppendMenuA(file, MF_STRING, kMnuFilePrintDescription, "Print &Description\tF4");
  AppendMenuA(file, MF_STRING, kMnuFilePrinterFont, "Printer &Font...\tCtrl+F");
  AppendMenuA(file, MF_STRING, kMnuFileExit, "E&xit...\tF3");
  AppendMenuA(help, MF_STRING, kMnuHelpVersion, "&Version...");
  AppendMenuA(help, MF_STRING, kMnuHelpUsing, "&Using TAVLO...\tF1");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  return bar;
}

HACCEL frmMainAccelerators() {
  static HACCEL table = [] {
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL | FSHIFT, 'F', kMnuFileFindWords},
        {FVIRTKEY | FCONTROL, 'P', kMnuFilePrintList},
        {FVIRTKEY, VK_F4, kMnuFilePrintDescription},
        {FVIRTKEY | FCONTROL, 'F', kMnuFilePrinterFont},
        {FVIRTKEY, VK_F3, kMnuFileExit},
        {FVIRTKEY, VK_F1, kMnuHelpUsing},
    };
    return CreateAcceleratorTableA(keys, static_cast<int>(sizeof keys / sizeof keys[0]));
  }();
  return table;
}

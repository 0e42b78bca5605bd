// Driving a running tavlo from another process through its standard controls, as a user's
// tools do: find the main window, set the search text, read the list and the pane back.
#ifndef TAVLO_TESTS_SUPPORT_DRIVE_WIN_H
#define TAVLO_TESTS_SUPPORT_DRIVE_WIN_H

#include <windows.h>

#include <string>
#include <vector>

// The main window of a running tavlo (of any process when process_id is 0), once its start-up
// is over, waited for up to timeout_ms; nullptr if none came.
HWND FindTavlo(DWORD process_id, int timeout_ms);
HWND Child(HWND window, int id);
// WM_SETTEXT raises EN_CHANGE in the program before it returns: the search has run.
void TypeSearch(HWND window, const std::string& text);
std::vector<std::string> ListLines(HWND window);
int ListSelection(HWND window);
std::string PaneText(HWND window);
// A text in Windows-1252 from one in UTF-16.
std::string Narrow1252(const std::wstring& text);

#endif

// Portable facts of the windowed tool that every module may need: the application title and
// the windows' designed sizes (in twips, 1/1440 inch).
#ifndef TAVLO_GUI_BASE_APP_H
#define TAVLO_GUI_BASE_APP_H

// The application title, the main window's caption and the title of its message boxes.
constexpr const char* kAppTitle = "tavlo";
// The main window's designed inner size.
constexpr float kFrmMainInnerWidthTwips = 10515;
constexpr float kFrmMainInnerHeightTwips = 6180;

#endif

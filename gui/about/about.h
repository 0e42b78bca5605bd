// ABOUT: the texts of the Help menu, shown in the description pane like a description.
//
// Operations:
//   AboutHelpText()                     "Help - Using TAVLO" and its lines, CR LF between lines,
//                                       none after the last
//   AboutVersionText(info, version)     the title, "Version 2.7.1, " + comments, an empty line,
//                                       the copyright line, an empty line, the preferences key
//                                       in two lines, 48 underscores, an empty line and the
//                                       description set's version notice. The notice's "~"
//                                       markers are turned into CR LF in `version` itself, so a
//                                       second showing finds none and gives the same text.
//   AboutFileVersion(ms, ls, &info)     major, minor and revision from a version resource's
//                                       two 32-bit file version numbers
//   mnuHelpUsing_Click(view)            the help text into the description pane, the focus to
//                                       the search box, no line of the match list selected
//   mnuHelpVersion_Click(view, info, version)   the same with the version text
#ifndef TAVLO_GUI_ABOUT_ABOUT_H
#define TAVLO_GUI_ABOUT_ABOUT_H

#include <cstdint>
#include <string>

// The program's version information (on Windows, read from its version resource).
struct AboutVersionInfo {
  std::string title;
  int major = 0;
  int minor = 0;
  int revision = 0;
  std::string comments;   // the release date
  std::string copyright;  // the whole copyright line
};

// What the Help commands need of the main window.
class AboutView {
 public:
  virtual ~AboutView() = default;
  virtual void ShowResult(const std::string& text) = 0;  // the pane's text, repainted at once
  virtual void FocusSearch() = 0;
  virtual void ClearListSelection() = 0;  // the list itself stays as it is
};

std::string AboutHelpText();
std::string AboutVersionText(const AboutVersionInfo& info, std::string& version);
void AboutFileVersion(uint32_t ms, uint32_t ls, AboutVersionInfo* info);
void mnuHelpUsing_Click(AboutView& view);
void mnuHelpVersion_Click(AboutView& view, const AboutVersionInfo& info, std::string& version);

#endif

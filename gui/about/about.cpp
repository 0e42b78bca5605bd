#include "about/about.h"

#include "base/app.h"

namespace {

constexpr const char* kCrLf = "\r\n";

std::string Join(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (&line != lines.begin())
      text += kCrLf;
    text += line;
  }
  return text;
}

}  // namespace

std::string AboutHelpText() {
  // Every line as it stands, trailing spaces included.
  return Join({
      "Help - Using TAVLO",
      "",
      "An immediate search will be conducted on any text ",
      "that you type into the search text box. The ",
      "search will look for matches on ZIZ Reason Codes ",
      "and Completion Codes in both decimal and ",
      "hexidecimal, as well matches on parts of ",
      "symbolic names.",
      "",
      "If many matches have been found a list is ",
      "displayed and clicking on a list entry will ",
      "display the entire text for that entry.",
      "",
      "Press Enter to go back to the list of matches. ",
      "Once a unique match has been made the entire text",
      "of the entry will be displayed.",
  });
}

std::string AboutVersionText(const AboutVersionInfo& info, std::string& version) {
  for (std::size_t at = version.find('~'); at != std::string::npos;
       at = version.find('~', at + 2)) {
    version.replace(at, 1, kCrLf);
  }
  return Join({
      info.title,
      "Version " + std::to_string(info.major) + "." + std::to_string(info.minor) + "." +
          std::to_string(info.revision) + ", " + info.comments,
      "",
      info.copyright,
      "",
      "Registry key for user preferences: HKEY_CURRENT_USER\\",
      kPrefsKey,
      std::string(48, '_'),
      "",
      version,
  });
}

void AboutFileVersion(uint32_t ms, uint32_t ls, AboutVersionInfo* info) {
  info->major = static_cast<int>(ms >> 16);
  info->minor = static_cast<int>(ms & 0xFFFF);
  info->revision = static_cast<int>(ls >> 16);
}

namespace {

void Show(AboutView& view, const std::string& text) {
  view.ShowResult(text);
  view.FocusSearch();
  view.ClearListSelection();
}

}  // namespace

void mnuHelpUsing_Click(AboutView& view) {
  Show(view, AboutHelpText());
}

void mnuHelpVersion_Click(AboutView& view, const AboutVersionInfo& info, std::string& version) {
  Show(view, AboutVersionText(info, version));
}

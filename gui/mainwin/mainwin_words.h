// The File menu's "Find by &Words...": the search box's text taken as words of the
// descriptions, and the codes that hold them all listed best first, ranked as tavlo-apropos
// ranks them (rank/rank.h), so the same words give the same codes in the same order.
//
// Operations:
//   RankRecords(words)            the record numbers of the codes (types 1 and 2) whose name or
//                                 description holds every word, best first: rank, then value,
//                                 then record number; records that cannot be parsed are left out
//   mnuFileFindWords_Click(main)  the command: main's list gets the heading " N matches on
//                                 descriptions:" (" One match on descriptions:") and the match
//                                 lines in rank order, the first selected and its description
//                                 shown; no code found: "No match in the descriptions for
//                                 'WORDS'." and an empty pane; no word of kSearchWordLength
//                                 bytes or more: an empty list and kFindWordsNote in the pane;
//                                 nothing loaded: an empty list. Typing afterwards searches as
//                                 the search box always does.
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_WORDS_H
#define TAVLO_GUI_MAINWIN_MAINWIN_WORDS_H

#include <string>
#include <vector>

#include "mainwin/mainwin.h"

constexpr const char* kFindWordsNote =
    "Find by Words looks for words of three letters or more in the descriptions:\r\n"
    "type some into the search box (for example: queue full), then choose it again.";

std::vector<int> RankRecords(const std::vector<std::string>& words);
void mnuFileFindWords_Click(MainWindow& main);

#endif

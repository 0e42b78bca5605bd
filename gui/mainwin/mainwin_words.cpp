#include "mainwin/mainwin_words.h"

#include <cstdint>
#include <string>
#include <utility>

#include "base/app.h"
#include "base/clock.h"
#include "base/msgbox.h"
#include "base/text.h"
#include "code/code.h"
#include "mainwin/mainwin_store.h"
#include "rank/rank.h"

namespace {

struct RankedRecord {
  int rank;
  std::int32_t value;
  long order;  // the record number
};

}  // namespace

// A record's text is its description's lines joined with "~": the rank module reads "~" as
// the line end, so the headline ends where it ends in the description text.
std::vector<int> RankRecords(const std::vector<std::string>& words) {
  const std::vector<WordFinder> finders = SectionFinders(words);
  std::vector<RankedRecord> found;
  for (int r = 1; r <= RecordCount; ++r) {
    if (!ParseRecord(r))
      continue;
    const MessageRecord& record = Records[r];
    if (record.Type != kCompletionCode && record.Type != kReasonCode)
      continue;
    const int rank = SectionRank(finders, record.Name.data(), static_cast<long>(record.Name.size()),
                                 record.Text.data(), static_cast<long>(record.Text.size()), '~');
    if (rank >= 0)
      found.push_back({rank, record.Value, r});
  }
  SortByRank(&found);
  std::vector<int> records;
  records.reserve(found.size());
  for (const RankedRecord& f : found)
    records.push_back(static_cast<int>(f.order));
  return records;
}

void mnuFileFindWords_Click(MainWindow& main) {
  main.ShowLines({}, {});
  if (RecordCount == 0)
    return;
  const std::string text = main.View().SearchText();
  const char* args[] = {text.c_str()};
  const std::vector<std::string> words = SplitWords(args, 1);
  if (!HasSearchWord(words)) {
    main.ShowResult(kFindWordsNote);
    return;
  }
  const bool debug = DebugMode != kFalse;
  const std::uint32_t start = debug ? Ticks() : 0;
  const std::vector<int> found = RankRecords(words);
  if (found.empty()) {
    std::string joined;
    for (const std::string& w : words)
      joined += (joined.empty() ? "" : " ") + w;
    main.ShowLines({"No match in the descriptions for '" + joined + "'."}, {0});
    main.ShowResult("");
  } else {
    std::vector<std::string> lines{found.size() == 1 ? std::string(" One match on descriptions:")
                                                     : " " + std::to_string(found.size()) +
                                                           " matches on descriptions:"};
    std::vector<int> records{0};
    for (int r : found) {
      lines.push_back(MatchLine(r));
      records.push_back(r);
    }
    main.ShowLines(std::move(lines), std::move(records));
    main.SelectLine(1);
    main.lstMatches_Click();
  }
  if (debug) {
    MsgBox("Debug: Search took " + std::to_string(Ticks() - start) + "ms" + kCrLf, kMsgBoxOkOnly,
           kAppTitle);
  }
}

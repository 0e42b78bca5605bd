// The windowed tool's in-memory description store and the two operations on one record.
//
// State (process-wide, owned by the main window; emptied and refilled by each load):
//   RecordCount     records in memory; 0 means nothing is loaded and searching is disabled
//   NumericKeys     the key list "NumericKeys" exactly as stored in the container
//   SymbolicKeys    the key list "SymbolicKeys" exactly as stored
//   VersionText     the resource "3.1", the version notice, still with its "~" line markers
//   Records         the records, index = record number 1..RecordCount (index 0 unused)
//   Matches         the record numbers the last search found, in scan order
//
// Operations:
//   StoreClear()                  empties the store (RecordCount 0, lists and notice empty)
//   ParseRecord(r)                splits record r into Type, Value, Name and Text, once
//   FormatDescription(r)          the text the result pane shows for record r
//   MatchLine(r)                  the match list's line for record r (parses it first)
//   ReflowDescription(text)       "~~" becomes a paragraph break, "~" joins two lines
//
// A record is parsed on first use. One that cannot be parsed (fewer than three "|", or a type
// or value that is not a whole number of its size) is marked broken: it is still listed, by the
// line "Record N cannot be read.", and its description shows that line and the stored text,
// so a damaged resource is visible instead of silently missing.
#ifndef TAVLO_GUI_MAINWIN_MAINWIN_STORE_H
#define TAVLO_GUI_MAINWIN_MAINWIN_STORE_H

#include <cstdint>
#include <string>
#include <vector>

#include "contents/contents.h"

struct MessageRecord {
  std::int16_t Type = 0;   // 0 until parsed; then the record's type field (1, 2, or other)
  std::int32_t Value = 0;  // the code's value; 0 until parsed
  std::string Name;        // the symbolic name; empty until parsed
  std::string Text;        // before parsing the whole stored record, after it the description
  bool Parsed = false;     // split already (a type field of 0 still counts as parsed)
  bool Broken = false;     // parsed, but the stored record has no valid fields
};

extern std::int16_t RecordCount;
extern std::string NumericKeys;
extern std::string SymbolicKeys;
extern std::string VersionText;
extern std::vector<MessageRecord> Records;
extern std::vector<int> Matches;

void StoreClear();
// False when r is not a record number of the store or the record cannot be parsed.
bool ParseRecord(int r);
std::string FormatDescription(int r);
std::string MatchLine(int r);
std::string ReflowDescription(const std::string& text);

#endif

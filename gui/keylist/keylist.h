// KEYLIST: the key lists of the description container ("NumericKeys", "SymbolicKeys") and the
// windowed search's scans over them.
//
// A key list is a run of entries with nothing between them: a two-character record number,
// "[", the key, "]". Record n is written as the characters 33 + n / 90 and 33 + n % 90, so
// n = (c1 - 33) * 90 + (c2 - 33); "[" and "]" may occur as record-number digits.
//
// Operations:
//   KeyListRecordNumber(record)              the two characters of a record number
//   KeyListDecodeRecordNumber(c1, c2)        the record number two characters give
//   KeyListEntry(record, key)                record number + "[" + key + "]"
//   KeyListNumericScan(keys, text, count, matches)    records with a key that begins with text
//   KeyListSymbolicScan(keys, text, count, matches)   records whose key holds text anywhere
//
// Both scans append record numbers to *matches in scan order (the vector grows as needed);
// text is compared exactly (the caller upper-cases it); hits that decode outside
// 1..record_count are dropped; no position runs past the list's end.
#ifndef TAVLO_GUI_KEYLIST_KEYLIST_H
#define TAVLO_GUI_KEYLIST_KEYLIST_H

#include <string>
#include <vector>

std::string KeyListRecordNumber(long record);
long KeyListDecodeRecordNumber(char c1, char c2);
std::string KeyListEntry(long record, const std::string& key);

void KeyListNumericScan(const std::string& keys, const std::string& text, long record_count,
                        std::vector<int>* matches);
void KeyListSymbolicScan(const std::string& keys, const std::string& text, long record_count,
                         std::vector<int>* matches);

#endif

// CONTENTS: what the description container holds, for the builder that writes it and the main
// window that reads it: the resource identifiers, the record layout and the key lists with the
// windowed search's scans over them.
//
// Resources: kResVersion ("3.1", the version notice; the builder names a version section n
// "3.n"), "1" to the record count (one record each), kResKeyCount ("KeyCnt", the record count
// in decimal), kResNumericKeys and kResSymbolicKeys (the key lists).
//
// A record is "type|value|name|text": the type (kCompletionCode, kReasonCode) and the value in
// decimal, the symbolic name, and the description with "~" before each line of the manual.
//
// A key list is a run of entries with nothing between them: a two-character record number,
// "[", the key, "]". Record n is written as the characters 33 + n / 90 and 33 + n % 90, so
// n = (c1 - 33) * 90 + (c2 - 33); "[" and "]" may occur as record-number digits.
//
// Operations:
//   VersionResourceId(n)                     "3." + n, the identifier of version section n
//   RecordResourceId(r)                      the identifier of record r, r in decimal
//   EncodeRecord(type, value, name, text)    the stored form of a record
//   DecodeRecord(stored, fields)             splits a stored record; false, *fields untouched,
//                                            when it has fewer than three "|" or its type or
//                                            value is not a whole number of 16 or 32 bits
//   KeyListRecordNumber(record)              the two characters of a record number
//   KeyListDecodeRecordNumber(c1, c2)        the record number two characters give
//   KeyListEntry(record, key)                record number + "[" + key + "]"
//   KeyListNumericScan(keys, text, count, matches)    records with a key that begins with text
//   KeyListSymbolicScan(keys, text, count, matches)   records whose key holds text anywhere
//
// Both scans append record numbers to *matches in scan order (the vector grows as needed);
// text is compared exactly (the caller upper-cases it); hits that decode outside
// 1..record_count are dropped; no position runs past the list's end.
#ifndef TAVLO_GUI_CONTENTS_CONTENTS_H
#define TAVLO_GUI_CONTENTS_CONTENTS_H

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kResKeyCount = "KeyCnt";
constexpr const char* kResNumericKeys = "NumericKeys";
constexpr const char* kResSymbolicKeys = "SymbolicKeys";
constexpr const char* kResVersion = "3.1";

// Record types written by the builder.
constexpr std::int16_t kCompletionCode = 1;
constexpr std::int16_t kReasonCode = 2;

struct RecordFields {
  std::int16_t type = 0;
  std::int32_t value = 0;
  std::string name;
  std::string text;
};

std::string VersionResourceId(long long section);
std::string RecordResourceId(long long record);
std::string EncodeRecord(int type, std::int32_t value, const std::string& name,
                         const std::string& text);
bool DecodeRecord(const std::string& stored, RecordFields* fields);

std::string KeyListRecordNumber(long record);
long KeyListDecodeRecordNumber(char c1, char c2);
std::string KeyListEntry(long record, const std::string& key);

void KeyListNumericScan(const std::string& keys, const std::string& text, long record_count,
                        std::vector<int>* matches);
void KeyListSymbolicScan(const std::string& keys, const std::string& text, long record_count,
                         std::vector<int>* matches);

#endif

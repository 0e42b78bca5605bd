// CONTENTS: resource identifiers, records, record numbers, key-list entries and the scans of
// the windowed search.
#include "contents/contents.h"

#include <limits>

#include "base/text.h"

namespace {

constexpr int kDigitBase = 33;  // "!", the digit 0 of a record number
constexpr int kDigits = 90;
// Position of the first entry's "[" (after the two record-number characters).
constexpr std::string::size_type kFirstKey = 2;

// Appends the record number written just before position bracket, when it names a record.
void AppendRecord(const std::string& keys, std::string::size_type bracket, long record_count,
                  std::vector<int>* matches) {
  if (bracket < 2)
    return;
  long record = KeyListDecodeRecordNumber(keys[bracket - 2], keys[bracket - 1]);
  if (record >= 1 && record <= record_count)
    matches->push_back(static_cast<int>(record));
}

}  // namespace

std::string VersionResourceId(long long section) {
  return "3." + FormatDecimal(section);
}

std::string RecordResourceId(long long record) {
  return FormatDecimal(record);
}

std::string EncodeRecord(int type, std::int32_t value, const std::string& name,
                         const std::string& text) {
  return FormatDecimal(type) + "|" + FormatDecimal(value) + "|" + name + "|" + text;
}

bool DecodeRecord(const std::string& stored, RecordFields* fields) {
  std::size_t p1 = stored.find('|');
  std::size_t p2 = p1 == std::string::npos ? p1 : stored.find('|', p1 + 1);
  std::size_t p3 = p2 == std::string::npos ? p2 : stored.find('|', p2 + 1);
  if (p3 == std::string::npos)
    return false;
  long long type = 0;
  long long value = 0;
  if (ReadWholeDecimal(stored.substr(0, p1), std::numeric_limits<std::int16_t>::min(),
                       std::numeric_limits<std::int16_t>::max(), &type) != kDecimalOk ||
      ReadWholeDecimal(stored.substr(p1 + 1, p2 - p1 - 1), std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max(), &value) != kDecimalOk) {
    return false;
  }
  fields->type = static_cast<std::int16_t>(type);
  fields->value = static_cast<std::int32_t>(value);
  fields->name = stored.substr(p2 + 1, p3 - p2 - 1);
  fields->text = stored.substr(p3 + 1);
  return true;
}

std::string KeyListRecordNumber(long record) {
  std::string r(2, '\0');
  r[0] = static_cast<char>(static_cast<unsigned char>(kDigitBase + record / kDigits));
  r[1] = static_cast<char>(static_cast<unsigned char>(kDigitBase + record % kDigits));
  return r;
}

long KeyListDecodeRecordNumber(char c1, char c2) {
  return (static_cast<long>(static_cast<unsigned char>(c1)) - kDigitBase) * kDigits +
         (static_cast<long>(static_cast<unsigned char>(c2)) - kDigitBase);
}

std::string KeyListEntry(long record, const std::string& key) {
  return KeyListRecordNumber(record) + "[" + key + "]";
}

// A hit is "[" + text, so a key matches only from its start.
void KeyListNumericScan(const std::string& keys, const std::string& text, long record_count,
                        std::vector<int>* matches) {
  const std::string pattern = "[" + text;
  std::string::size_type start = kFirstKey;
  while (start < keys.size()) {
    std::string::size_type p = keys.find(pattern, start);
    if (p == std::string::npos)
      return;
    AppendRecord(keys, p, record_count, matches);
    start = p + 2;
  }
}

// A hit counts when walking back from it meets a "[" before a "]": it lies inside a key. The
// scan then goes on at the next key's name, so each key is listed once however often the text
// occurs in it. A hit that is not inside a key (it began in a record number) is passed over by
// one character, so that the key after it is still examined.
void KeyListSymbolicScan(const std::string& keys, const std::string& text, long record_count,
                         std::vector<int>* matches) {
  std::string::size_type start = kFirstKey;
  while (start < keys.size()) {
    std::string::size_type p = keys.find(text, start);
    if (p == std::string::npos)
      return;
    std::string::size_type q = p;
    while (q > 0 && keys[q - 1] != '[' && keys[q - 1] != ']')
      --q;
    if (q == 0 || keys[q - 1] == ']') {
      start = p + 1;
      continue;
    }
    AppendRecord(keys, q - 1, record_count, matches);
    std::string::size_type close = keys.find(']', p);
    if (close == std::string::npos)
      return;
    start = close + 4;
  }
}

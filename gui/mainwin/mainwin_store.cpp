#include "mainwin/mainwin_store.h"

#include <limits>

#include "base/text.h"

std::int16_t RecordCount = 0;
std::string NumericKeys;
std::string SymbolicKeys;
std::string VersionText;
std::vector<MessageRecord> Records;
std::vector<int> Matches;

namespace {

const char* const kLineBreak = kCrLf;

// A whole decimal number with an optional sign that lies within [low, high]; nothing else.
bool ParseWhole(const std::string& text, long long low, long long high, long long* out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size())
    return false;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      return false;
    value = value * 10 + (text[i] - '0');
    if (value > high + 1 || value > -low + 1)  // both bounds are far below overflow
      return false;
  }
  if (negative)
    value = -value;
  if (value < low || value > high)
    return false;
  *out = value;
  return true;
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string BrokenLine(int r) {
  return "Record " + std::to_string(r) + " cannot be read.";
}

}  // namespace

void StoreClear() {
  RecordCount = 0;
  NumericKeys.clear();
  SymbolicKeys.clear();
  VersionText.clear();
}

bool ParseRecord(int r) {
  if (r < 1 || r > RecordCount || static_cast<std::size_t>(r) >= Records.size())
    return false;
  MessageRecord& record = Records[r];
  if (record.Parsed)
    return !record.Broken;
  record.Parsed = true;
  const std::string& stored = record.Text;
  std::size_t p1 = stored.find('|');
  std::size_t p2 = p1 == std::string::npos ? p1 : stored.find('|', p1 + 1);
  std::size_t p3 = p2 == std::string::npos ? p2 : stored.find('|', p2 + 1);
  long long type = 0;
  long long value = 0;
  if (p3 == std::string::npos ||
      !ParseWhole(stored.substr(0, p1), std::numeric_limits<std::int16_t>::min(),
                  std::numeric_limits<std::int16_t>::max(), &type) ||
      !ParseWhole(stored.substr(p1 + 1, p2 - p1 - 1), std::numeric_limits<std::int32_t>::min(),
                  std::numeric_limits<std::int32_t>::max(), &value)) {
    record.Broken = true;  // Text keeps the stored record, for the description
    return false;
  }
  record.Type = static_cast<std::int16_t>(type);
  record.Value = static_cast<std::int32_t>(value);
  record.Name = stored.substr(p2 + 1, p3 - p2 - 1);
  record.Text = stored.substr(p3 + 1);
  return true;
}

std::string ReflowDescription(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 64);
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c != '~') {
      out += c;
      ++i;
    } else if (i + 1 < text.size() && text[i + 1] == '~') {
      // A paragraph break, shown as an empty line.
      out += kLineBreak;
      out += kLineBreak;
      i += 2;
    } else {
      // A wrapped line of the manual joins the next: the marker and the spaces around it
      // become one space.
      while (!out.empty() && out.back() == ' ')
        out.pop_back();
      ++i;
      while (i < text.size() && text[i] == ' ')
        ++i;
      out += ' ';
    }
  }
  return out;
}

std::string FormatDescription(int r) {
  if (!ParseRecord(r)) {
    if (r < 1 || r > RecordCount || static_cast<std::size_t>(r) >= Records.size())
      return BrokenLine(r) + kLineBreak;
    return BrokenLine(r) + kLineBreak + kLineBreak + Records[r].Text + kLineBreak;
  }
  const MessageRecord& record = Records[r];
  std::string label;
  if (record.Type == kCompletionCode) {
    label = "Completion Code ";
  } else if (record.Type == kReasonCode) {
    label = "Reason Code ";
  } else {
    label = "Unknown message type " + std::to_string(record.Type) + " for message " +
            std::to_string(r) + "!" + kLineBreak;
  }
  return label + "\t" + std::to_string(record.Value) + "\tx'" + FormatUpperHex(record.Value) + "'" +
         kLineBreak + UpperAscii(record.Name) + kLineBreak + kLineBreak +
         ReflowDescription(record.Text) + kLineBreak;
}

std::string MatchLine(int r) {
  if (!ParseRecord(r))
    return BrokenLine(r);
  const MessageRecord& record = Records[r];
  return std::to_string(record.Value) + "\tx" + FormatUpperHex(record.Value) + "\t" + record.Name;
}

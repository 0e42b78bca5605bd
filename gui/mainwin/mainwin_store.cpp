#include "mainwin/mainwin_store.h"

#include <utility>

#include "base/text.h"
#include "contents/contents.h"

std::int16_t RecordCount = 0;
std::string NumericKeys;
std::string SymbolicKeys;
std::string VersionText;
std::vector<MessageRecord> Records;
std::vector<int> Matches;

namespace {

const char* const kLineBreak = kCrLf;

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
  RecordFields fields;
  if (!DecodeRecord(record.Text, &fields)) {
    record.Broken = true;  // Text keeps the stored record, for the description
    return false;
  }
  record.Type = fields.type;
  record.Value = fields.value;
  record.Name = std::move(fields.name);
  record.Text = std::move(fields.text);
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

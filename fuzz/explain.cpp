// Fuzzes the mention reader and the streaming writer of tavlo-explain. Input:
//   byte 0      the size of the pieces the log is fed in (0 means 1)
//   byte 1      bit 0: only the lines that mention a code (-o)
//   the rest    the log
// The book is fixed: codes of both kinds, a value with two names, the application range. The
// output must not depend on the piece size, and with the explanation lines taken out (they
// begin with four blanks and a code line) it must be the log itself, a line feed added at most
// after an unterminated last line; with -o, every line written must be one of the log's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "explain.h"

namespace {

struct Code {
  int32_t value;
  const char* name;
  const char* text;
};

const Code kCodes[] = {
    {-1, "KXCC_UNKNOWN", "Not known (KXCC_UNKNOWN)\n"},
    {2, "KXCC_FAILED", "Call failed (KXCC_FAILED)\n"},
    {0, "KXRC_NONE", "Nothing. \n"},
    {900, "KXRC_APPL_FIRST", "Lowest. \n"},
    {2035, "KXRC_NOT_AUTHORIZED", "Refused. \n"},
    {2192, "KXRC_STORAGE_MEDIUM_FULL", "Full. \n"},
    {2192, "KXRC_STORE_FULL", "Second name. \n"},
    {7, "CRC_ODD_NAME", "A name that starts as a keyword does. \n"},
};

const CodeBook& Book() {
  static CodeBook* book = [] {
    auto* b = new CodeBook;
    for (const Code& c : kCodes) {
      StoreSection s{};
      s.value = c.value;
      s.name = c.name;
      s.name_len = static_cast<int>(strlen(c.name));
      s.kind = c.name[2];
      s.text = c.text;
      s.text_len = static_cast<long>(strlen(c.text));
      b->Add(s);
    }
    b->Finish();
    return b;
  }();
  return *book;
}

class StringSink : public OutputSink {
 public:
  void Write(const char* data, size_t n) override {
    text.append(data, n);
  }
  std::string text;
};

std::string Run(const char* log, size_t size, size_t piece, bool only) {
  StringSink sink;
  Explainer ex(Book(), only, &sink);
  for (size_t at = 0; at < size;) {
    size_t n = piece < size - at ? piece : size - at;
    n = n < ex.SpaceSize() ? n : ex.SpaceSize();
    memcpy(ex.Space(), log + at, n);
    ex.Commit(n);
    at += n;
  }
  ex.EndOfInput();
  return sink.text;
}

bool IsExplanation(const std::string& line) {
  return line.rfind("    Reason Code ", 0) == 0 || line.rfind("    Completion Code ", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  const size_t piece = data[0] != 0 ? data[0] : 1;
  const bool only = (data[1] & 1) != 0;
  const char* log = reinterpret_cast<const char*>(data + 2);
  const size_t n = size - 2;
  const std::string whole = Run(log, n, 1 << 20, only);
  if (Run(log, n, piece, only) != whole) {
    abort();  // the pieces changed the output
  }
  // Take the explanation lines out of the output (a log line never starts with them only when
  // the log holds none such: such inputs are checked for order alone).
  std::string rest;
  for (size_t at = 0; at < whole.size();) {
    const size_t nl = whole.find('\n', at);
    const size_t end = nl == std::string::npos ? whole.size() : nl + 1;
    const std::string line = whole.substr(at, end - at);
    if (!IsExplanation(line)) {
      rest += line;
    }
    at = end;
  }
  const std::string input(log, n);
  if (input.find("    Reason Code ") != std::string::npos ||
      input.find("    Completion Code ") != std::string::npos) {
    return 0;
  }
  if (!only) {
    if (rest != input && rest != input + "\n") {
      abort();  // a line was changed, lost or added
    }
  } else if (!rest.empty()) {
    // Every line written is a whole line of the log, in order.
    const std::string padded = "\n" + input + "\n";
    size_t from = 0;
    for (size_t at = 0; at < rest.size();) {
      const size_t end = rest.find('\n', at) + 1;
      const std::string line = rest.substr(at, end - at);
      const size_t found = padded.find("\n" + line, from);
      if (found == std::string::npos) {
        abort();
      }
      from = found + line.size();
      at = end;
    }
  }
  return 0;
}

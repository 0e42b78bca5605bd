// The description maker: reads the manual's codes chapter as text, line by line, through a
// small state machine and writes description text or comma-separated records to stdout.
#include "maker.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "error.h"
#include "store.h"  // HeaderBrackets

namespace {

// Where the conversion stands in the manual.
enum State {
  Preamble,          // copying the version information, up to a line beginning with '|'
  BeforeCompletion,  // skipping, up to the first line holding "KXCC_"
  Completion,        // copying completion-code sections, up to "Reason codes"
  BeforeReason,      // skipping, up to the first line holding " X'0"
  Reason,            // copying reason-code sections, up to a line beginning with '#'
  Finished           // nothing more is read
};

// A heap buffer that grows on demand; lines of the input have no length limit.
struct Buffer {
  char* data = nullptr;
  size_t size = 0;
};

bool Reserve(Buffer& b, size_t need) {
  if (need <= b.size)
    return true;
  size_t size = b.size ? b.size : 256;
  while (size < need) {
    if (size > SIZE_MAX / 2)
      return false;
    size *= 2;
  }
  char* p = static_cast<char*>(realloc(b.data, size));
  if (!p)
    return false;
  b.data = p;
  b.size = size;
  return true;
}

struct Conversion {
  FILE* in = nullptr;
  const char* path = nullptr;
  bool palm = false;
  State state = Preamble;
  int records = 0;       // lines read by the main loop
  int descriptions = 0;  // code sections written
  Buffer line;           // the working line
  Buffer field;          // a name or value copied out of a header
  Buffer scratch;        // an escaped line or header field
};

enum ReadResult { LineRead, EndOfInput, ReadFailed };

// Reads one whole line, its line feed included, and makes the field and scratch buffers big
// enough for anything derived from it. ReadFailed leaves the cause in errno.
ReadResult ReadLine(Conversion& c, size_t& len) {
  len = 0;
  for (;;) {
    int ch = getc(c.in);
    if (ch == EOF) {
      if (ferror(c.in))
        return ReadFailed;
      break;
    }
    if (!Reserve(c.line, len + 2)) {
      errno = ENOMEM;
      return ReadFailed;
    }
    c.line.data[len++] = static_cast<char>(ch);
    if (ch == '\n')
      break;
  }
  if (len == 0)
    return EndOfInput;
  c.line.data[len] = '\0';
  if (!Reserve(c.field, len + 1) || !Reserve(c.scratch, FixCommasSize(len))) {
    errno = ENOMEM;
    return ReadFailed;
  }
  return LineRead;
}

// What was converted so far stays written, ahead of the message.
int ReportReadFailure(const Conversion& c, int err) {
  PrintError(err, "Can't read file '%s' record %d", c.path, c.records + 1);
  fclose(c.in);
  return kMakerReadFailed;
}

bool StartsWith(const char* s, const char* prefix) {
  return strncmp(s, prefix, strlen(prefix)) == 0;
}

// Removes one trailing space, if there is one.
void Trim(char* s) {
  size_t n = strlen(s);
  if (n > 0 && s[n - 1] == ' ')
    s[n - 1] = '\0';
}

// The line's leading decimal integer, as atoi reads it, held within the range of int.
int LeadingInteger(const char* s) {
  long v = strtol(s, nullptr, 10);
  if (v > INT_MAX)
    return INT_MAX;
  if (v < INT_MIN)
    return INT_MIN;
  return static_cast<int>(v);
}

const char* Escaped(Conversion& c, const char* s) {
  return c.palm ? FixCommas(s, c.scratch.data) : s;
}

// One text field of a header record in comma-separated mode. Its commas are escaped like those
// of any other text, so that a title such as "Warning, partial" stays one field.
void PrintField(Conversion& c, const char* s) {
  printf("%s,", FixCommas(s, c.scratch.data));
}

void CopyPreambleLine(Conversion& c, char* s) {
  Trim(s);
  printf(c.palm ? "%s," : "%s\n", Escaped(c, s));
}

// "0 Successful completion (KXCC_OK)": the value leads, the name runs from the first 'K' to
// the first ')', and the title is the line from its third character on.
void CompletionHeader(Conversion& c, char* s) {
  Trim(s);
  char* name = c.field.data;
  strcpy(name, strchr(s, 'K'));  // the line holds "KXCC_", so there is a 'K'
  if (char* close = strchr(name, ')'))
    *close = '\0';
  int value = LeadingInteger(s);
  const char* title = s + 2;  // the line holds "KXCC_", so it is longer than 2
  if (!c.palm) {
    printf("%c%d,%s%c\n%s\n", HeaderBrackets[0], value, name, HeaderBrackets[1], title);
  } else {
    printf(c.state == BeforeCompletion ? "CC,%d," : "\nCC,%d,", value);
    PrintField(c, name);
    PrintField(c, title);
  }
  c.descriptions++;
  c.state = Completion;
}

void CompletionText(Conversion& c, char* s) {
  if (StartsWith(s, "Reason codes")) {
    c.state = BeforeReason;
    return;
  }
  Trim(s);
  printf(c.palm ? "%s " : "%s\n", Escaped(c, s));
}

// "2035 X'07F3' KXRC_NOT_AUTHORIZED": the value is the text up to the first space, the name
// runs from the first 'K' to the end. A line without a 'K' gives an empty name.
void ReasonHeader(Conversion& c, char* s) {
  Trim(s);
  char* value = c.field.data;
  size_t valueLen = strcspn(s, " ");
  memcpy(value, s, valueLen);
  value[valueLen] = '\0';
  const char* name = strchr(s, 'K');
  if (!name)
    name = "";
  if (c.palm) {
    printf("\nRC,");
    PrintField(c, value);
    PrintField(c, name);
  } else {
    printf(c.state == BeforeReason ? "%c%s,%s%c\n" : "\n%c%s,%s%c\n", HeaderBrackets[0], value,
           name, HeaderBrackets[1]);
  }
  c.descriptions++;
  c.state = Reason;
}

// Runs the lines of a reason code's explanation together into paragraph lines. Returns
// kMakerOk, or kMakerReadFailed when the line after a page head cannot be read (the input is
// then closed).
int ReasonText(Conversion& c, char* s) {
  if (StartsWith(s, "Completion and reason")) {
    // A page head: it and the line after it are dropped; that line is not a record.
    size_t len;
    if (ReadLine(c, len) == ReadFailed)
      return ReportReadFailure(c, errno);
    return kMakerOk;
  }
  unsigned char first = static_cast<unsigned char>(s[0]);
  if (first == '#') {
    c.state = Finished;
    return kMakerOk;
  }
  if (first == 0x0C || first == 0xA9)  // page break, page foot
    return kMakerOk;
  if (s[0] == 'v' && s[1] == ' ')  // list item
    s[0] = '*';
  Trim(s);
  const char* lead = "";
  if (s[0] == '*' || StartsWith(s, "Corrective action:"))
    lead = c.palm ? ",," : "\n\n";
  else if (StartsWith(s, "--"))
    lead = c.palm ? "," : "\n";
  printf("%s%s ", lead, Escaped(c, s));
  return kMakerOk;
}

int Convert(Conversion& c) {
  if (c.palm)
    printf("Zarvex ZIZ Codes,Value,Name,CC,RC,DI\nDI,%d,Version,", 1);
  else
    printf("%cDI%d,Version%c\n", HeaderBrackets[0], 1, HeaderBrackets[1]);

  while (c.state != Finished) {
    size_t len;
    ReadResult r = ReadLine(c, len);
    if (r == ReadFailed)
      return ReportReadFailure(c, errno);
    if (r == EndOfInput)
      break;
    c.records++;
    char* s = c.line.data;
    if (s[len - 1] == '\n') {  // the last line of a file may lack its line feed
      // A manual saved with CR LF line ends: the CR is part of the line end, not of the text
      // (it would end up inside headers such as "[2035,KXRC_NOT_AUTHORIZED \r]").
      len -= len >= 2 && s[len - 2] == '\r' ? 2 : 1;
      s[len] = '\0';
    }

    switch (c.state) {
      case Preamble:
        if (s[0] == '|') {
          if (c.palm)
            printf("\n");
          c.state = BeforeCompletion;
        } else if (s[0] != '#') {
          CopyPreambleLine(c, s);
        }
        break;
      case BeforeCompletion:
      case Completion:
        if (strstr(s, "KXCC_"))
          CompletionHeader(c, s);
        else if (c.state == Completion)
          CompletionText(c, s);
        break;
      case BeforeReason:
      case Reason:
        if (strstr(s, c.state == BeforeReason ? " X'0" : " X'"))
          ReasonHeader(c, s);
        else if (c.state == Reason && ReasonText(c, s) != kMakerOk)
          return kMakerReadFailed;
        break;
      case Finished:
        break;
    }
  }

  if (!c.palm)
    printf("\n[end]\n");
  if (fclose(c.in) != 0) {
    PrintError(errno, "Can't close file '%s'", c.path);
    return kMakerCloseFailed;
  }
  // A full disk must not pass for a finished conversion.
  errno = 0;
  if (fflush(stdout) != 0 || ferror(stdout)) {
    PrintError(errno ? errno : EIO, "Can't write to stdout");
    return kMakerWriteFailed;
  }
  fprintf(stderr, "Processed %d records on file '%s'.\n", c.records, c.path);
  fprintf(stderr, "%d descriptions written to stdout.\n", c.descriptions);
  return kMakerOk;
}

}  // namespace

const char* FixCommas(const char* line, char* scratch) {
  if (!strchr(line, ','))
    return line;
  char* out = scratch;
  for (const char* p = line; *p; p++) {
    if (*p == ',')
      *out++ = '\\';
    *out++ = *p;
  }
  *out = '\0';
  return scratch;
}

int MakeDescriptionsFrom(FILE* in, const char* path, int mode) {
  Conversion c;
  c.in = in;
  c.path = path;
  c.palm = mode != MakerText;
  int status = Convert(c);
  free(c.line.data);
  free(c.field.data);
  free(c.scratch.data);
  return status;
}

int MakeDescriptions(const char* path, int mode) {
  FILE* in = fopen(path, "r");
  if (!in) {
    PrintError(errno, "Can't open file '%s' to read", path);
    return kMakerOpenFailed;
  }
  return MakeDescriptionsFrom(in, path, mode);
}

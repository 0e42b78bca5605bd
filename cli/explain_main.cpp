// tavlo-explain: writes the lines of logs unchanged, each line that mentions Completion Codes or
// Reason Codes of the Zarvex middleware followed by their explanations, from the description
// text that the tavlo program carries.
//
//   tavlo-explain [-f Store] [-o] [File ...]
// The files are read in turn; none, or "-", is standard input. -o writes only the lines that
// mention a code. The store is found as tavlo-apropos finds it (findstore.h).
// Exit status
//   0  at least one code explained (also -h)
//   1  no line mentions a code
//   2  usage: an unknown switch, -f without a store
//   3  no store: no tavlo found, Store does not exist, or it carries no descriptions
//   4  the store could not be read (the store's message says which step failed)
//   5  standard output could not be written
//   6  an input file could not be read (each is reported; the others are still read); it
//      wins over 0 and 1
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "error.h"
#include "explain.h"
#include "findstore.h"
#include "store.h"

extern const char SrcIdent[];
extern const char Copyright[];
const char SrcIdent[] = "@(#)TAVLO-EXPLAIN VER=1 DATE=08-Dec-2026";
const char Copyright[] = "Copyright (c) 2026 The tavlo developers. All rights reserved.";

namespace {

enum ExplainStatus {
  kExplained = 0,
  kNothingExplained = 1,
  kUsage = 2,
  kNoStore = 3,
  kStoreUnreadable = 4,
  kOutputFailed = 5,
  kInputFailed = 6,
};

void PrintUsage(FILE* out) {
  fprintf(out, "Zarvex Pindle log explainer\n%s\n%s\n", SrcIdent, Copyright);
  fputs(
      "\n"
      "Command line format is:\n"
      "tavlo-explain [-f Store] [-o] [File ...]\n"
      "\n"
      "Writes every line of the Files (standard input when none, or for -) unchanged;\n"
      "after a line that mentions Completion Codes or Reason Codes it writes one line\n"
      "for each: the code, its name and the first sentence of its description.\n"
      "A mention is a symbolic name, or a number after \"reason code\", \"reason\",\n"
      "\"rc\", \"rsn\", \"completion code\", \"compcode\" or \"cc\" (RC=2035,\n"
      "Reason(X'07F3'), CompCode=2). A number alone is never explained.\n"
      "\n"
      "-o        writes only the lines that mention a code\n"
      "-f Store  reads the descriptions that Store carries (a tavlo program) instead of\n"
      "          those of the tavlo beside this program or on PATH\n"
      "\n"
      "eg. tavlo-explain /var/log/app/error.log\n"
      "    tavlo-explain -o trace.txt\n",
      out);
}

class StdoutSink : public OutputSink {
 public:
  void Write(const char* data, size_t n) override {
    fwrite(data, 1, n, stdout);
  }
};

// Reads one input to its end through the explainer. False when it could not be read (it is
// reported); lines read before a failure are written.
bool ExplainInput(const char* name, Explainer* ex) {
  const bool is_stdin = strcmp(name, "-") == 0;
  const int fd = is_stdin ? STDIN_FILENO : open(name, O_RDONLY);
  if (fd < 0) {
    PrintError(errno, "Can't open input file '%s'", name);
    return false;
  }
  bool ok = true;
  for (;;) {
    const ssize_t n = read(fd, ex->Space(), ex->SpaceSize());
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      const int err = errno;
      ex->EndOfInput();
      if (is_stdin) {
        PrintError(err, "Can't read standard input");
      } else {
        PrintError(err, "Can't read input file '%s'", name);
      }
      ok = false;
      break;
    }
    if (n == 0) {
      ex->EndOfInput();
      break;
    }
    ex->Commit(static_cast<size_t>(n));
    if (ferror(stdout)) {
      break;  // nothing more can be written: the caller stops
    }
  }
  if (!is_stdin) {
    close(fd);
  }
  return ok;
}

int Run(const std::string& store, const std::vector<const char*>& files, bool only) {
  struct stat st;
  if (stat(store.c_str(), &st) != 0) {
    PrintError(errno, "Can't find description store '%s'", store.c_str());
    return kNoStore;
  }
  if (OpenDescriptions(store.c_str()) != kStoreOk) {
    return kStoreUnreadable;
  }
  CodeBook book;
  const int store_status = book.Load();
  CloseDescriptions();
  if (store_status != kStoreOk) {
    return kStoreUnreadable;
  }
  if (book.Codes() == 0) {
    PrintError(kNoErrno, "File '%s' carries no descriptions", store.c_str());
    return kNoStore;
  }
  StdoutSink out;
  Explainer ex(book, only, &out);
  bool input_failed = false;
  static const char* const kStdinOnly[] = {"-"};
  const char* const* names = files.empty() ? kStdinOnly : files.data();
  const size_t count = files.empty() ? 1 : files.size();
  for (size_t i = 0; i < count && !ferror(stdout); i++) {
    if (!ExplainInput(names[i], &ex)) {
      input_failed = true;
    }
  }
  if (!StdoutWritten()) {
    return kOutputFailed;
  }
  if (input_failed) {
    return kInputFailed;
  }
  return ex.Explained() > 0 ? kExplained : kNothingExplained;
}

}  // namespace

int main(int argc, char** argv) {
  // Lines go out in large writes; a line longer than the buffer is written straight through.
  static char out_buffer[1 << 16];
  setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
  bool only = false;
  bool help = false;
  const char* file = nullptr;
  bool wrong = false;
  std::vector<const char*> files;
  bool switches = true;
  for (int i = 1; i < argc && !wrong; i++) {
    const char* arg = argv[i];
    if (switches && strcmp(arg, "--") == 0) {
      switches = false;
    } else if (switches && strcmp(arg, "-o") == 0) {
      only = true;
    } else if (switches && (strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0)) {
      help = true;
    } else if (switches && strcmp(arg, "-f") == 0) {
      if (i + 1 == argc) {
        PrintError(kNoErrno, "-f needs a store");
        wrong = true;
      } else {
        file = argv[++i];
      }
    } else if (switches && arg[0] == '-' && arg[1] != '\0') {
      PrintError(kNoErrno, "Unknown switch '%s'", arg);
      wrong = true;
    } else {
      files.push_back(arg);
    }
  }
  if (wrong) {
    PrintUsage(stderr);
    return kUsage;
  }
  if (help) {
    PrintUsage(stdout);
    return StdoutWritten() ? kExplained : kOutputFailed;
  }
  const std::string store = file != nullptr ? file : FindStore(argv[0]);
  if (store.empty()) {
    PrintError(kNoErrno,
               "No description store: no tavlo beside this program or on PATH; name one "
               "with -f Store");
    return kNoStore;
  }
  return Run(store, files, only);
}

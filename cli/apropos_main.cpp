// tavlo-apropos: finds Completion Codes and Reason Codes of the Zarvex middleware by words of
// their descriptions, in the description text that the tavlo program carries.
//
//   tavlo-apropos [-f File] Word...   the codes whose sections hold every word, best first
//   tavlo-apropos [-f File] -l        every code in value order
//   tavlo-apropos -h                  the usage text
// The store is File, else the tavlo beside this program's real file, else the one beside the
// name it was started by (a symbolic link), else the first tavlo on PATH.
// Exit status
//   0  codes found or listed (also -h)
//   1  no code holds all the words
//   2  usage: no word, an unknown switch, -f without a file, -l with words
//   3  no store: no tavlo found, File does not exist, or it carries no descriptions
//   4  the store could not be read (the store's message says which step failed)
//   5  standard output could not be written
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "apropos.h"
#include "error.h"
#include "findstore.h"
#include "store.h"

extern const char SrcIdent[];
extern const char Copyright[];
const char SrcIdent[] = "@(#)TAVLO-APROPOS VER=1 DATE=08-Dec-2026";
const char Copyright[] = "Copyright (c) 2026 The tavlo developers. All rights reserved.";

namespace {

enum AproposStatus {
  kFound = 0,
  kNoMatch = 1,
  kUsage = 2,
  kNoStore = 3,
  kStoreUnreadable = 4,
  kOutputFailed = 5,
};

void PrintUsage(FILE* out) {
  fprintf(out, "Zarvex Pindle description search\n%s\n%s\n", SrcIdent, Copyright);
  fputs(
      "\n"
      "Command line formats are:\n"
      "tavlo-apropos [-f File] Word...\n"
      "tavlo-apropos [-f File] -l\n"
      "\n"
      "Lists the Completion Codes and Reason Codes whose descriptions hold every Word\n"
      "(case is insignificant; a Word may be part of a longer word). Codes with the\n"
      "Words in their symbolic name or first sentence come first.\n"
      "\n"
      "-l        lists every code in value order\n"
      "-f File   reads the descriptions that File carries (a tavlo program) instead of\n"
      "          those of the tavlo beside this program or on PATH\n"
      "\n"
      "eg. tavlo-apropos queue full\n"
      "    tavlo-apropos not authorized\n"
      "    tavlo-apropos -l\n",
      out);
}

// Output goes through stdio's buffer; a failed write shows when it is flushed at the latest.
int FinishOutput(int status) {
  return StdoutWritten() ? status : kOutputFailed;
}

int Run(const std::string& store, const std::vector<std::string>& words, bool list) {
  struct stat st;
  if (stat(store.c_str(), &st) != 0) {
    PrintError(errno, "Can't find description store '%s'", store.c_str());
    return kNoStore;
  }
  if (OpenDescriptions(store.c_str()) != kStoreOk) {
    return kStoreUnreadable;
  }
  std::vector<CodeEntry> codes;
  long code_sections = 0;
  const int store_status =
      CollectCodes(list ? std::vector<std::string>() : words, &codes, &code_sections);
  CloseDescriptions();
  if (store_status == kStoreOk && code_sections == 0) {
    PrintError(kNoErrno, "File '%s' carries no descriptions", store.c_str());
    return kNoStore;
  }
  const int status = store_status != kStoreOk ? kStoreUnreadable : kFound;
  SortCodes(&codes);
  for (const CodeEntry& c : codes) {
    PrintCodeLine(c.value, c.name, c.name_len);
  }
  const int n = static_cast<int>(codes.size());
  if (list) {
    if (n == 1) {
      printf("\nOne code listed.\n");
    } else {
      printf("\n%d codes listed.\n", n);
    }
  } else if (n == 1) {
    printf("\nOne match found on descriptions. Use tavlo Code -d to view full description.\n");
  } else if (n > 1) {
    printf("\n%d matches found on descriptions. Use tavlo Code -d to view full description.\n", n);
  } else if (status == kFound) {
    printf("No description of a Completion Code or Reason Code holds all of:");
    for (const std::string& w : words) {
      printf(" %s", w.c_str());
    }
    printf("\n");
    return kNoMatch;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  // Every line is printed at the end of the search; a list of every code of a large store goes
  // out in few writes.
  static char out_buffer[1 << 16];
  setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
  bool list = false;
  bool help = false;
  const char* file = nullptr;
  const char* wrong = nullptr;  // what is wrong with the command line, if anything
  std::vector<const char*> args;
  bool switches = true;
  for (int i = 1; i < argc && wrong == nullptr; i++) {
    const char* arg = argv[i];
    if (switches && strcmp(arg, "--") == 0) {
      switches = false;
    } else if (switches && strcmp(arg, "-l") == 0) {
      list = true;
    } else if (switches && (strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0)) {
      help = true;
    } else if (switches && strcmp(arg, "-f") == 0) {
      if (i + 1 == argc) {
        wrong = "-f needs a file";
      } else {
        file = argv[++i];
      }
    } else if (switches && arg[0] == '-' && arg[1] != '\0') {
      PrintError(kNoErrno, "Unknown switch '%s'", arg);
      wrong = "";
    } else {
      args.push_back(arg);
    }
  }
  const std::vector<std::string> words = SplitWords(args.data(), static_cast<int>(args.size()));
  if (wrong == nullptr && list && !words.empty()) {
    wrong = "-l takes no words";
  }
  if (wrong == nullptr && !help && !list && words.empty()) {
    wrong = "No word to look for";  // also when every argument is blank
  }
  if (wrong == nullptr && help) {
    PrintUsage(stdout);
    return FinishOutput(kFound);
  }
  if (wrong != nullptr) {
    if (wrong != nullptr && wrong[0] != '\0') {
      PrintError(kNoErrno, "%s", wrong);
    }
    PrintUsage(stderr);
    return kUsage;
  }
  std::string store = file != nullptr ? file : FindStore(argv[0]);
  if (store.empty()) {
    PrintError(kNoErrno,
               "No description store: no tavlo beside this program or on PATH; name one "
               "with -f File");
    return kNoStore;
  }
  return FinishOutput(Run(store, words, list));
}

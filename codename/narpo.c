/* narpo: prints the symbolic name of one reason code.
 *
 *   narpo Code      Code is decimal, or hexadecimal after an upper-case "X"
 *
 * Prints the code in decimal and hexadecimal and its name from the zelk library.
 * Exit status: 0 after printing a name; 1 after the usage text (no argument);
 * 2 when standard output cannot be written.
 */
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include "narpo_arg.h"
#include "zelk.h"
#include "zelk_keep.h"

static const char SrcIdent[] KEEP_TEXT = "@(#)NARPO VER=2 DATE=15-Jan-2001";
static const char Copyright[] KEEP_TEXT =
    "Copyright (c) 2001 the tavlo authors. All rights reserved.";

enum { EXIT_NAME = 0, EXIT_USAGE = 1, EXIT_WRITE_FAILED = 2 };

/* The ranges the usage names are the library's named ranges; any value prints a name. */
static void PrintUsage(void) {
  printf("Zarvex Reason Code Print program\n%s\n", SrcIdent);
  printf("\nCommand line format is:\nnarpo Code\n\n");
  printf("Code may be any decimal number or a hexadecimal number (prefix with X)\n");
  printf("which is a ZIZ Reason Code (range %d to %d, %d to %d,\n", 900, 999, 2001, 2361);
  printf("%d to %d decimal).\n", 6100, 6129);
}

/* A full disk or closed pipe must not end in status 0 as if the name had been shown. */
static int Finish(int status) {
  if (fflush(stdout) != 0 || ferror(stdout)) {
    int err = errno;
    fprintf(stderr, "Error: Can't write to standard output: (%d) %s\n", err, strerror(err));
    return EXIT_WRITE_FAILED;
  }
  return status;
}

int main(int argc, char* argv[]) {
  char name[64]; /* the library needs at most ZELK_NAME_SIZE */
  int code;

  if (argc < 2) {
    PrintUsage();
    return Finish(EXIT_USAGE);
  }
  code = NarpoReadCode(argv[1]);
  printf("Reason Code %d X%X\n", code, (unsigned int)code);
  printf("%s\n", KXReasonCodeMsg(code, name));
  return Finish(EXIT_NAME);
}

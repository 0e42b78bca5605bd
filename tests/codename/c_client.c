/* A plain C client of libzelk.a, compiled and linked with the C compiler alone: proves
 * that the header works from C and that the archive needs no C++ run time. */
#include <stdio.h>
#include <string.h>

#include "zelk.h"

static int failures;

static void Expect(const char* got, const char* expected, const char* buffer) {
  if (got != buffer || strcmp(got, expected) != 0) {
    printf("FAIL: got '%s', expected '%s'\n", got, expected);
    failures++;
  }
}

int main(void) {
  char buffer[ZELK_NAME_SIZE];

  Expect(KXCompCodeMsg(-1, buffer), "KXCC_UNKNOWN", buffer);
  Expect(KXCompCodeMsg(3, buffer), "KXCC_3_UNDEFINED", buffer);
  Expect(KXReasonCodeMsg(2035, buffer), "KXRC_NOT_AUTHORIZED", buffer);
  Expect(KXReasonCodeMsg(950, buffer), "KXRC_APPL_950", buffer);
  Expect(KXReasonCodeMsg(-2147483647 - 1, buffer), "KXRC_-2147483648_UNDEFINED", buffer);
  if (failures == 0) {
    printf("c_client: ok\n");
  }
  return failures == 0 ? 0 : 1;
}

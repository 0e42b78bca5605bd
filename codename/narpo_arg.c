/* narpo_arg: reads the code argument of narpo. See narpo_arg.h.
 *
 * "%d" and "%x" are defined to read what strtol (base 10) and strtoul (base 16) read:
 * leading white space, an optional sign, for "%x" an optional "0x", then digits up to the
 * first character that is not one. sscanf itself leaves a number that does not fit the
 * int undefined, and glibc then gives different values on 32- and 64-bit hosts, so the
 * digits are read here with the 64-bit functions and out-of-range numbers are clamped
 * the way a 32-bit C library clamps them:
 *   decimal      below INT_MIN gives INT_MIN, above INT_MAX gives INT_MAX;
 *   hexadecimal  a magnitude up to FFFFFFFF is taken modulo 2^32 with its sign, as "%x"
 *                does ("-1" gives FFFFFFFF); a larger one gives FFFFFFFF.
 * When nothing can be read (a lower-case "x" prefix, letters, an "X" alone, an empty
 * argument) the code is 0, the value of a code variable that nothing has set.
 */
#include "narpo_arg.h"

#include <ctype.h>
#include <errno.h>
#include <limits.h>
#include <stdlib.h>

enum { NO_NUMBER = 0 };

static int ReadDecimalAsScanf(const char* text) {
  char* end;
  long long value;

  errno = 0;
  value = strtoll(text, &end, 10);
  if (end == text) {
    return NO_NUMBER;
  }
  if (value > INT_MAX) { /* also the ERANGE case, where strtoll gives LLONG_MAX */
    return INT_MAX;
  }
  if (value < INT_MIN) {
    return INT_MIN;
  }
  return (int)value;
}

/* The 32-bit pattern as a signed code, without relying on an out-of-range conversion. */
static int FromBits(unsigned long bits) {
  if (bits <= (unsigned long)INT_MAX) {
    return (int)bits;
  }
  return -(int)(0xFFFFFFFFUL - bits) - 1;
}

static int ReadHexAsScanf(const char* text) {
  const char* p = text;
  char* end;
  unsigned long long value, magnitude;
  int negative;

  while (isspace((unsigned char)*p)) {
    p++;
  }
  negative = (*p == '-');
  errno = 0;
  value = strtoull(text, &end, 16);
  if (end == text) {
    return NO_NUMBER;
  }
  /* strtoull negates a signed number in 64 bits; take the magnitude back out. */
  magnitude = negative ? 0ULL - value : value;
  if (errno == ERANGE || magnitude > 0xFFFFFFFFULL) {
    return FromBits(0xFFFFFFFFUL);
  }
  if (negative) {
    return FromBits((unsigned long)((0ULL - magnitude) & 0xFFFFFFFFULL));
  }
  return FromBits((unsigned long)magnitude);
}

int NarpoReadCode(const char* arg) {
  if (arg[0] == 'X') {
    return ReadHexAsScanf(arg + 1);
  }
  return ReadDecimalAsScanf(arg);
}

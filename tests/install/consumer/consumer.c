/* A tiny consumer of the installed zelk library. */
#include <stdio.h>

#include <zelk.h>

int main(void) {
  char name[ZELK_NAME_SIZE];

  printf("%s\n", KXReasonCodeMsg(2035, name));
  printf("%s\n", KXCompCodeMsg(2, name));
  printf("%s\n", KXReasonCodeMsg(950, name));
  return 0;
}

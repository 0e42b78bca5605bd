/* narpo_arg: reads the code argument of narpo.
 *
 * Operations:
 *   NarpoReadCode(arg)  the 32-bit code an argument stands for: after an upper-case "X" the
 *                       rest is read as "%x" reads it, otherwise the whole as "%d" reads it
 * State: none.
 * Status codes: none. An argument holding no number that its format can read gives 0;
 *   a number beyond 32 bits gives the nearest 32-bit value (see narpo_arg.c).
 */
#ifndef NARPO_ARG_H
#define NARPO_ARG_H

#ifdef __cplusplus
extern "C" {
#endif

int NarpoReadCode(const char* arg);

#ifdef __cplusplus
}
#endif

#endif /* NARPO_ARG_H */

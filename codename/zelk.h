/* zelk: symbolic names for the completion and reason codes of the Zarvex middleware.
 *
 * Operations (C linkage, callable from C and C++):
 *   KXCompCodeMsg(code, buffer)    completion-code name, "KXCC_..." or "KXCC_<code>_UNDEFINED"
 *   KXReasonCodeMsg(code, buffer)  reason-code name, "KXRC_...", "KXRC_APPL_<code>" for 901..998,
 *                                  or "KXRC_<code>_UNDEFINED"
 * Both write a terminated name into the caller's buffer and return that buffer.
 * The buffer must hold at least ZELK_NAME_SIZE bytes (no size is passed).
 *
 * State: none. The name tables are constant, so both functions may be called from any
 * number of threads at once, each with its own buffer.
 * Status codes: none; every int value has a name or a placeholder name.
 */
#ifndef ZELK_H
#define ZELK_H

/* The longest name, "KXRC_" with a 25-character suffix, is 30 characters and needs 31
 * bytes with its terminator; the longest placeholder, "KXRC_-2147483648_UNDEFINED", is 26. */
#define ZELK_NAME_SIZE 31

#ifdef __cplusplus
extern "C" {
#endif

char* KXCompCodeMsg(int code, char* buffer);
char* KXReasonCodeMsg(int code, char* buffer);

#ifdef __cplusplus
}
#endif

#endif /* ZELK_H */

/* KEEP_TEXT: marks a static text that no code reads but that must stay in every program
 * linked with its object (identification strings, copyright notices). "used" stops the
 * compiler from dropping it, "retain" stops the linker's section garbage collection. */
#ifndef ZELK_KEEP_H
#define ZELK_KEEP_H

#if defined(__GNUC__) || defined(__clang__)
#if defined(__has_attribute)
#if __has_attribute(retain)
#define KEEP_TEXT __attribute__((used, retain))
#endif
#endif
#ifndef KEEP_TEXT
#define KEEP_TEXT __attribute__((used))
#endif
#else
#define KEEP_TEXT
#endif

#endif /* ZELK_KEEP_H */

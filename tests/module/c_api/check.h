/* Checks for the C tests: a failed check prints where and what and counts;
 * main returns Finish(). */
#ifndef LUMORA_C_CHECK_H
#define LUMORA_C_CHECK_H

#include <stdio.h>

extern int g_Failures;

#define CHECK(cond)                                                            \
  do {                                                                         \
    if (!(cond)) {                                                             \
      fprintf(stderr, "%s:%d: CHECK(%s) failed\n", __FILE__, __LINE__, #cond); \
      ++g_Failures;                                                            \
    }                                                                          \
  } while (0)

#define CHECK_EQ(actual, expected)                                                           \
  do {                                                                                       \
    const long long a_ = (long long)(actual), e_ = (long long)(expected);                    \
    if (a_ != e_) {                                                                          \
      fprintf(stderr, "%s:%d: %s is %lld (0x%llX), expected %s = %lld (0x%llX)\n", __FILE__, \
              __LINE__, #actual, a_, (unsigned long long)a_ & 0xFFFFFFFFull, #expected, e_,  \
              (unsigned long long)e_ & 0xFFFFFFFFull);                                       \
      ++g_Failures;                                                                          \
    }                                                                                        \
  } while (0)

/* 0 when every check passed, else 1 (the exit code of main). */
static inline int Finish(void) {
  if (g_Failures) fprintf(stderr, "%d check(s) failed\n", g_Failures);
  return g_Failures ? 1 : 0;
}

#endif

// Stops the build of the computation where the compiler would not evaluate
// doubles as plain IEEE doubles, each step rounded in its written order: the
// printed digits of cancelling states would then differ from machine to machine.
// CMakeLists.txt sets the options that keep it so; this catches flags that undo them.
#ifndef VERGLEICHSSPANNUNG_STRESS_IEEE_DOUBLE_H_
#define VERGLEICHSSPANNUNG_STRESS_IEEE_DOUBLE_H_

#if defined(__FAST_MATH__) || defined(_M_FP_FAST)
#error "-ffast-math, -Ofast or /fp:fast reorder the stress arithmetic; build without them"
#endif
#if defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
#error "-ffinite-math-only breaks the not-a-number results a state can print; build without it"
#endif
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0
#error "doubles are evaluated in wider registers (x87); build with -msse2 -mfpmath=sse"
#endif

#endif  // VERGLEICHSSPANNUNG_STRESS_IEEE_DOUBLE_H_

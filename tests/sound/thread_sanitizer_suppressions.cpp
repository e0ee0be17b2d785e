// What the thread sanitizer must not report in this test program: races it believes it sees in
// libraries built without it, which the sound card plays through.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KORVANE_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define KORVANE_THREAD_SANITIZER 1
#endif

#ifdef KORVANE_THREAD_SANITIZER
// libpulse, behind ALSA's pulse plugin, hands the objects it allocates to its own mainloop thread
// through atomics in its uninstrumented code; the sanitizer cannot see that hand-off and reports
// the mainloop thread's first use of such an object (a mutex it locks) as a race.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libpulse\n";
}
#endif

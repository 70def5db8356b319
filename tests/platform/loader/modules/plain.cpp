// A test module without entry point and without resources.
extern "C" int Answer(void) { return 42; }

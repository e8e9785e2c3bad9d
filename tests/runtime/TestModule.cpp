// A small library for the DynamicDLL tests to load: plain C exports and no
// C++ statics, so that the loader can really unload it again.
#ifdef _WIN32
#define KORVANE_TEST_EXPORT __declspec(dllexport)
#else
#define KORVANE_TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

KORVANE_TEST_EXPORT int korvane_test_add(int a, int b) { return a + b; }

}

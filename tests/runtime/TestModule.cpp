// A small library for the DynamicDLL tests to load: plain C exports and no
// C++ statics, so that the loader can really unload it again.
extern "C" {

__attribute__((visibility("default"))) int korvane_test_add(int a, int b) { return a + b; }

__attribute__((visibility("default"))) const char* korvane_test_name() {
    return "korvane test module";
}

}

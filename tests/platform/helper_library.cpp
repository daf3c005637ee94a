// A support library that another test library needs, kept in a different folder.
extern "C" __attribute__((visibility("default"))) int HelperValue() { return 42; }

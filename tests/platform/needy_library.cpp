// A library that needs the support library of another folder.
extern "C" int HelperValue();
extern "C" __attribute__((visibility("default"))) int NeedyValue() { return HelperValue() + 1; }

// A library built twice under the same bare name, each copy telling which folder it is in.
extern "C" __attribute__((visibility("default"))) int TwinFolder() { return TWIN_FOLDER; }

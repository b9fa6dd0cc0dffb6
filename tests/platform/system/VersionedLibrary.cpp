// Test helper library: carries a version record and gives tests an address
// inside itself.

extern "C" __attribute__((visibility("default"))) int PlinthVersionedLibraryAnchor() { return 42; }

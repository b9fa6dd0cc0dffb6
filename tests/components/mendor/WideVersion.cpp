// Test helper library: carries a version record whose fields need all 16 bits.

extern "C" __attribute__((visibility("default"))) int PlinthWideVersionAnchor()
{
    return 7;
}

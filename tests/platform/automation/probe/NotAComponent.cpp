// A shared object that loads but exports none of a component's entry points.

extern "C" __attribute__((visibility("default"))) int NotAComponentAnswer()
{
    return 42;
}

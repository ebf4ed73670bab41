// A library built to prefer a load address that the test executable already
// occupies, so the loader must relocate it.
extern "C" __declspec(dllexport) int RelocProbeValue()
{
    return 42;
}

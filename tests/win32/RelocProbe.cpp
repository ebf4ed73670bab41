// A library built to prefer a load address that is taken by the time it
// loads (by the executable, or by its twin built from this same file), so
// the loader must relocate it.
extern "C" __declspec(dllexport) int RelocProbeValue()
{
    return 42;
}

// Sleeps for the given milliseconds (default 60 s): a process the tests own.
// Any further arguments name libraries it loads first, in that order.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    for (int i = 2; i < argc; ++i)
        ::LoadLibraryA(argv[i]);
    ::Sleep(argc > 1 ? static_cast<DWORD>(std::atol(argv[1])) : 60000);
    return 0;
}

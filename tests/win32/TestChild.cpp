// Sleeps for the given milliseconds (default 60 s): a process the tests own.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::Sleep(argc > 1 ? static_cast<DWORD>(std::atol(argv[1])) : 60000);
    return 0;
}

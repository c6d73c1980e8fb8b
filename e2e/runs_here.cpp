// The smallest Windows program: it only ends, with status 0. The end-to-end run of a
// build starts it first, to learn whether this machine runs code of that bitness.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}

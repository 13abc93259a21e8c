// The library entry point of the Windows builds: the add-in keeps no per-process or per-thread data, so
// attaching and detaching need no work.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD /*reason*/, LPVOID /*reserved*/) { return TRUE; }

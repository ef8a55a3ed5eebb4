// The program's own start-up, in place of the C runtime's. The runtime's brings some 8 KB of code,
// data and imports (argument parsing, TLS callbacks, pseudo-relocations, floating-point and math
// error set-up) that a window program built without exceptions never calls; this does what the
// program needs of it: the static constructors, WinMain with the show command, the static
// destructors, the exit.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand);

typedef void (*ExitFunction)();
// The static constructors as the linker lists them: -1, the constructors, then a null.
extern "C" ExitFunction __CTOR_LIST__[];

namespace {

// What the static constructors register for the exit, run last first as the runtime's exit
// does: the globals' destructors, and room to spare.
const int kMaxExitFunctions = 16;
ExitFunction g_exitFunctions[kMaxExitFunctions];
int g_exitCount = 0;

}  // namespace

extern "C" int atexit(ExitFunction function)
{
    if (g_exitCount == kMaxExitFunctions)
        return -1;
    g_exitFunctions[g_exitCount++] = function;
    return 0;
}

// The loader calls this with whatever alignment the system gives; 32-bit code realigns the stack
// for the SSE moves the compiler may use.
extern "C" __attribute__((force_align_arg_pointer)) void QuiverdeskStart()
{
    // Last first, as the runtime's own __main runs them; C++ destructors go through atexit, so
    // the linker's list of destructors is empty. Done here, not by __main, whose three functions
    // would cost a block of the file for their unwind entries alone.
    int constructors = 0;
    while (__CTOR_LIST__[constructors + 1])
        ++constructors;
    while (constructors > 0)
        __CTOR_LIST__[constructors--]();
    STARTUPINFOW startup;
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    int showCommand = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    // WinMain reads the wide command line itself; the 8-bit one it is given would be an import
    // of its own.
    int result = WinMain(GetModuleHandleW(0), 0, 0, showCommand);
    while (g_exitCount > 0)
        g_exitFunctions[--g_exitCount]();
    ExitProcess(result);
}

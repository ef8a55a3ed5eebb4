// IsOnLocalFixedDrive and IsLocalFixedDrive: the drive's type is asked of the system, which knows it without touching
// the drive.
#include "model/local_drive.h"

#include <windows.h>

bool IsOnLocalFixedDrive(const wchar_t* path)
{
    wchar_t letter = path[0] | 0x20;
    return letter >= L'a' && letter <= L'z' && path[1] == L':' && path[2] == L'\\' && IsLocalFixedDrive(path[0]);
}

bool IsLocalFixedDrive(wchar_t letter)
{
    wchar_t root[] = L"?:\\";
    root[0] = letter;
    UINT type = GetDriveTypeW(root);
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

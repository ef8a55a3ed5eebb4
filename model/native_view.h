// The file system as the 64-bit shell sees it. A 32-bit build on 64-bit Windows has System32
// redirected to SysWOW64, so a target there would read as missing, or as another file.
#ifndef QUIVERDESK_MODEL_NATIVE_VIEW_H
#define QUIVERDESK_MODEL_NATIVE_VIEW_H

// Turns the redirection off for this thread while alive. Keep it short: no library may be
// loaded meanwhile, or the 64-bit one would be found. Nothing happens where there is no
// redirection (a 64-bit process, or 32-bit Windows).
class NativeFileSystemView {
public:
    NativeFileSystemView();
    ~NativeFileSystemView();

private:
    NativeFileSystemView(const NativeFileSystemView&);
    NativeFileSystemView& operator=(const NativeFileSystemView&);
    void* m_saved;  // the token the revert needs
    bool m_disabled;
};

#endif

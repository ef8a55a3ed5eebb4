// Walks and hashes the test tree through the wide file calls (names past 260 bytes included) and
// reports each difference the case did not ask for.
#include "stress_tree.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "support/test_support.h"

const char kScratch[] = "C:\\qdstress";

int g_casesRun = 0;
long long g_filesChecked = 0;

std::wstring Widen(const std::string& ansi)
{
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, 0, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(wide.size() - 1);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    std::string text(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, 0, 0, 0, 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], static_cast<int>(text.size()), 0, 0);
    text.resize(text.size() - 1);
    return text;
}

std::wstring LongForm(const std::string& path)
{
    return L"\\\\?\\" + Widen(path);
}

std::string TrashRoot()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (!xdg || !*xdg)
        return std::string();
    std::string unixPath = std::string(xdg) + "/Trash";
    typedef WCHAR*(CDECL * DosNameFunction)(const char*);
    DosNameFunction dosName = reinterpret_cast<DosNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (dosName) {
        WCHAR* wide = dosName(unixPath.c_str());
        if (wide) {
            char path[MAX_PATH] = "";
            WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof(path), 0, 0);
            HeapFree(GetProcessHeap(), 0, wide);
            return path;
        }
    }
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

namespace {

void ClearWide(const std::wstring& dir)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = dir + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            ClearWide(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

ULONGLONG HashFile(const std::wstring& path, ULONGLONG& size)
{
    ULONGLONG hash = 14695981039346656037ULL;
    size = 0;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    unsigned char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, 0) && read > 0) {
        for (DWORD i = 0; i < read; ++i) {
            hash ^= chunk[i];
            hash *= 1099511628211ULL;
        }
        size += read;
    }
    CloseHandle(file);
    return hash;
}

// Keys are plain upper-case paths; the walk itself goes through the \\?\ form.
void Walk(const std::wstring& dir, Tree& tree)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((L"\\\\?\\" + dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = dir + L"\\" + name;
        TreeEntry entry = {true, 0, 0};
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // Wine links the profile's Desktop, Documents... to the Unix home: outside the tree.
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Walk(path, tree);
        } else {
            entry.folder = false;
            entry.hash = HashFile(L"\\\\?\\" + path, entry.size);
        }
        tree[Upper(path)] = entry;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::wstring BaseOf(const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The recycled copy: a file in the bin's files folder named after the original, same bytes.
bool HasTrashCopy(const Tree& tree, const std::wstring& filesFolder, const std::wstring& original, const TreeEntry& bytes)
{
    std::wstring prefix = filesFolder + L"\\" + BaseOf(original);
    for (Tree::const_iterator it = tree.lower_bound(prefix); it != tree.end() && StartsWith(it->first, prefix); ++it) {
        if (!it->second.folder && it->second.size == bytes.size && it->second.hash == bytes.hash)
            return true;
    }
    return false;
}

}  // namespace

void ClearTree(const std::string& dir)
{
    ClearWide(LongForm(dir));
}

TreeWatch::TreeWatch(const std::vector<std::string>& extraRoots)
{
    std::vector<std::string> roots = extraRoots;
    roots.push_back(ShellFolderPath(CSIDL_PROFILE));
    roots.push_back(TrashRoot());
    roots.push_back(kScratch);
    for (size_t i = 0; i < roots.size(); ++i) {
        EXPECT_FALSE(roots[i].empty()) << "a root of the tree has no path";
        if (!roots[i].empty())
            m_roots.push_back(Widen(roots[i]));
    }
    m_trashFiles = Upper(Widen(TrashRoot() + "\\files"));
    m_trashInfo = Upper(Widen(TrashRoot() + "\\info"));
    for (size_t i = 0; i < m_roots.size(); ++i)
        Walk(m_roots[i], m_before);
}

TreeWatch& TreeWatch::Added(const std::string& path)
{
    m_added.insert(Upper(Widen(path)));
    return *this;
}

TreeWatch& TreeWatch::Recycled(const std::string& path)
{
    m_recycled.insert(Upper(Widen(path)));
    return *this;
}

TreeWatch& TreeWatch::MayBeRecycled(const std::string& path)
{
    m_mayGo.insert(Upper(Widen(path)));
    return *this;
}

TreeWatch& TreeWatch::MayReappearEmpty(const std::string& folder)
{
    m_mayReappear.insert(Upper(Widen(folder)));
    return *this;
}

std::vector<std::string> TreeWatch::Check(const std::string& caseName, HWND window)
{
    Tree after;
    for (size_t i = 0; i < m_roots.size(); ++i)
        Walk(m_roots[i], after);
    ++g_casesRun;

    std::vector<std::string> reappeared;
    std::vector<std::wstring> problems;
    for (Tree::const_iterator it = after.begin(); it != after.end(); ++it) {
        const std::wstring& path = it->first;
        if (!it->second.folder)
            ++g_filesChecked;
        Tree::const_iterator old = m_before.find(path);
        if (old != m_before.end()) {
            if (!it->second.folder && (old->second.size != it->second.size || old->second.hash != it->second.hash))
                problems.push_back(L"bytes changed: " + path);
            continue;
        }
        if (m_added.count(path) && !it->second.folder)
            continue;
        if (m_mayReappear.count(path) && it->second.folder) {
            Tree::const_iterator next = it;
            ++next;
            if (next == after.end() || !StartsWith(next->first, path + L"\\")) {
                reappeared.push_back(Utf8(path));
                continue;
            }
        }
        bool trashed = false;
        if (StartsWith(path, m_trashFiles + L"\\") || StartsWith(path, m_trashInfo + L"\\")) {
            std::wstring base = BaseOf(path);
            std::set<std::wstring> gone(m_recycled);
            gone.insert(m_mayGo.begin(), m_mayGo.end());
            for (std::set<std::wstring>::const_iterator g = gone.begin(); g != gone.end() && !trashed; ++g)
                trashed = StartsWith(base, BaseOf(*g));
        }
        if (!trashed)
            problems.push_back(L"appeared: " + path);
    }
    for (Tree::const_iterator it = m_before.begin(); it != m_before.end(); ++it) {
        if (after.count(it->first))
            continue;
        if (m_recycled.count(it->first) || m_mayGo.count(it->first)) {
            if (!HasTrashCopy(after, m_trashFiles, it->first, it->second))
                problems.push_back(L"gone without a copy in the recycle bin: " + it->first);
            continue;
        }
        problems.push_back(L"vanished: " + it->first);
    }
    for (std::set<std::wstring>::const_iterator it = m_added.begin(); it != m_added.end(); ++it) {
        if (!after.count(*it) || m_before.count(*it))
            problems.push_back(L"was not made: " + *it);
    }
    for (std::set<std::wstring>::const_iterator it = m_recycled.begin(); it != m_recycled.end(); ++it) {
        if (after.count(*it))
            problems.push_back(L"was not deleted: " + *it);
    }

    std::ostringstream report;
    for (size_t i = 0; i < problems.size() && i < 20; ++i)
        report << "\n  " << Utf8(problems[i]);
    if (problems.size() > 20)
        report << "\n  ... " << problems.size() - 20 << " more";
    EXPECT_TRUE(problems.empty()) << caseName << ": " << problems.size() << " unasked-for differences" << report.str();

    DWORD_PTR answer = 0;
    EXPECT_TRUE(IsWindow(window) && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        << caseName << ": the window no longer answers";
    return reappeared;
}

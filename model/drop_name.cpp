// MakeDropLinkPath: the dropped item's name made a shortcut's, numbered as Explorer numbers copies
// until a name is free; what holds each name is the caller's to look up.
#include "model/drop_name.h"

#include <windows.h>

#include "model/link_name.h"
#include "model/path_text.h"

namespace {

const wchar_t kLinkExtension[] = L".lnk";
// Enough for any folder a user fills by hand; past it the drop makes nothing rather than search on.
const int kMostCopies = 1000;

// folder, stem, " (copy)" from the second copy on, ".lnk"; false when it would not fit MAX_PATH.
bool ComposeLinkPath(const HeapString& folder, const wchar_t* stem, int copy, HeapString& linkPath)
{
    wchar_t suffix[16] = L"";
    if (copy > 1)
        wsprintfW(suffix, L" (%d)", copy);
    linkPath.Assign(folder);
    linkPath.Append(stem);
    linkPath.Append(suffix);
    linkPath.Append(kLinkExtension);
    return linkPath.GetLength() < MAX_PATH;
}

}  // namespace

DropVerdict MakeDropLinkPath(const HeapString& folder, const wchar_t* droppedPath, DropNameLookup lookup,
                             HeapString& linkPath)
{
    // Without a folder the name would land at the root of the current drive.
    const wchar_t* name = droppedPath ? FindLastBackslash(droppedPath) : 0;
    if (folder.GetLength() == 0 || !name || !name[1])
        return kDropRefused;

    // The name from its backslash on, without its last extension.
    wchar_t stem[MAX_PATH];
    lstrcpynW(stem, name, MAX_PATH);
    wchar_t* period = FindLastPeriod(stem);
    if (period && period != stem + 1)
        *period = L'\0';
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        if (!ComposeLinkPath(folder, stem, copy, linkPath))
            return kDropRefused;
        // Dropping a shortcut onto its own folder would overwrite it with a link to itself.
        if (SameName(linkPath.GetBuffer(), droppedPath))
            return kDropRefused;
        switch (lookup(linkPath.GetBuffer(), droppedPath)) {
        case kHeldByNothing: return kDropCreate;
        case kHeldByLinkToDropped: return kDropPresent;
        case kHeldByOther: break;
        case kHolderUnknown: return kDropRefused;
        }
    }
    return kDropRefused;
}

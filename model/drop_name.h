// The name of the shortcut a dropped file or folder makes, and what the drop does when a file
// already holds that name.
#ifndef QUIVERDESK_MODEL_DROP_NAME_H
#define QUIVERDESK_MODEL_DROP_NAME_H

#include "model/heap_string.h"

// What a drop does with one dropped item.
enum DropVerdict {
    kDropCreate,   // make a new shortcut at linkPath
    kDropPresent,  // a shortcut to the same target already has the name: nothing to do
    kDropRefused   // no sound path: no folder or name, too long, or the dropped file itself
};

// What holds a name the drop's shortcut could take.
enum DropNameHolder {
    kHeldByNothing,
    kHeldByLinkToDropped,  // a shortcut to the dropped item, as the drop would make it
    kHeldByOther,          // anything else, which is never replaced
    kHolderUnknown         // the name could not be looked up
};
typedef DropNameHolder (*DropNameLookup)(const wchar_t* linkPath, const wchar_t* droppedPath);

// The shortcut path for a dropped item: folder, '\\', the item's name without its last
// extension, ".lnk". A name taken by anything else is never replaced: the next free one is
// taken, "name (2).lnk", "name (3).lnk" and so on, as Explorer names copies. lookup tells what
// holds each name tried.
DropVerdict MakeDropLinkPath(const HeapString& folder, const wchar_t* droppedPath, DropNameLookup lookup,
                             HeapString& linkPath);

#endif

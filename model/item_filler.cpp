#include "model/item_filler.h"

#include <new>

#include "model/bound_folder.h"
#include "model/command_lookups.h"
#include "model/localized_names.h"
#include "model/publisher.h"
#include "model/shortcut_item.h"
#include "model/startup_sources.h"

ItemFiller::ItemFiller(bool icons)
    : m_icons(icons), m_boundSource(-1), m_bound(0), m_names(0), m_lookups(0), m_publishers(0)
{
}

ItemFiller::~ItemFiller()
{
    Release();
}

void ItemFiller::Start(const HeapString& userFolder, const HeapString& commonFolder)
{
    Release();
    m_folders[0] = userFolder;
    m_folders[1] = commonFolder;
}

void ItemFiller::Release()
{
    delete m_bound;
    delete m_names;
    delete m_lookups;
    delete m_publishers;
    m_publishers = 0;
    m_bound = 0;
    m_names = 0;
    m_lookups = 0;
    m_boundSource = -1;
}

void ItemFiller::Fill(ShortcutItem* item)
{
    if (!item || item->IsFilled())
        return;
    if (!m_publishers)
        m_publishers = new (std::nothrow) PublisherLookups;
    if (item->GetValueName()) {
        if (!m_lookups)
            m_lookups = new (std::nothrow) CommandLookups;
        item->FillValue(m_lookups, m_publishers);
        return;
    }
    int source = item->GetSource() == kSourceCommonFolder ? 1 : 0;
    if (!m_bound) {
        m_bound = new (std::nothrow) BoundFolder;
        if (m_bound)
            m_bound->SetIconsWanted(m_icons);
    }
    if (!m_names)
        m_names = new (std::nothrow) LocalizedNames;
    if (!m_bound || !m_names)
        return;
    if (m_boundSource != source) {
        m_bound->Bind(m_folders[source].GetBuffer());
        m_names->Read(m_folders[source].GetBuffer());
        m_boundSource = source;
    }
    item->FillFile(*m_bound, m_names, m_publishers);
}

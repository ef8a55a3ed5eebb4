// The names a folder's desktop.ini gives its files for the menus, in [LocalizedFileNames]:
// "Mail Recipient.MAPIMail=@sendmail.dll,-4", read once per listing of the folder.
#ifndef QUIVERDESK_MODEL_LOCALIZED_NAMES_H
#define QUIVERDESK_MODEL_LOCALIZED_NAMES_H

#include <wchar.h>

class LocalizedNames {
public:
    LocalizedNames();
    ~LocalizedNames();

    // Reads the section of folderPath's desktop.ini; a folder without one has no names.
    void Read(const wchar_t* folderPath);
    // The name fileName shows, its @-reference resolved, into buffer; false when the section
    // gives it none or its reference does not resolve.
    bool Find(const wchar_t* fileName, wchar_t* buffer, int capacity) const;

private:
    LocalizedNames(const LocalizedNames&);
    LocalizedNames& operator=(const LocalizedNames&);

    wchar_t* m_section;  // owned, new[]; "name=text" lines, each ended by a null, the last by two
};

// The text an @-reference stands for ("@shell32.dll,-12690"), into buffer; any other text is
// copied as it is. False when a reference does not resolve.
bool ResolveIndirectName(const wchar_t* text, wchar_t* buffer, int capacity);

#endif

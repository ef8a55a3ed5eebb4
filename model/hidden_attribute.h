// The Hidden attribute, which the Send To menu honours by leaving the file out: the one way to take
// an item off the menu without deleting it.
#ifndef QUIVERDESK_MODEL_HIDDEN_ATTRIBUTE_H
#define QUIVERDESK_MODEL_HIDDEN_ATTRIBUTE_H

// Sets or clears the Hidden attribute of the file or folder at path and changes nothing else:
// every other attribute, the bytes and the times stay as they are. True when the attribute now
// reads as asked.
bool SetHiddenAttribute(const wchar_t* path, bool hidden);

#endif

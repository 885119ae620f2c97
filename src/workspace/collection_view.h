#pragma once
// What changing the collection does to the window: the window implements it, tests fake it.

#include <string>
#include <vector>

#include "text/message_sink.h"

namespace velmora {

class CollectionView : public virtual MessageSink {
public:
    // Appends an entry ("n:name") at the end of the song list.
    virtual void appendListEntry(const std::u16string& entry) = 0;
    // Empties the name box, then the lyric box.
    virtual void emptyInputBoxes() = 0;
    // The song list from entry n (1 for the first) on now reads `entries`, and ends there.
    virtual void showListFrom(int n, const std::vector<std::u16string>& entries) = 0;
    virtual void selectListEntry(int n) = 0;
};

}  // namespace velmora

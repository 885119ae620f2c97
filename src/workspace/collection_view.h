#pragma once
// What adding a song does to the window: the window implements it, tests fake it.

#include <string>

#include "text/message_sink.h"

namespace velmora {

class CollectionView : public virtual MessageSink {
public:
    // Appends an entry ("n:name") at the end of the song list.
    virtual void appendListEntry(const std::u16string& entry) = 0;
    // Empties the name box, then the lyric box.
    virtual void emptyInputBoxes() = 0;
};

}  // namespace velmora

#pragma once
// What a change did to the song collection, told after it was made: the window's list
// follows. Places count from 1.

namespace velmora {

class CollectionObserver {
public:
    virtual ~CollectionObserver() = default;
    // `count` songs now stand from place `first` on; those that stood there moved down.
    virtual void SongsInserted(int first, int count) = 0;
    // The `count` songs from place `first` on left; those after them moved up.
    virtual void SongsRemoved(int first, int count) = 0;
    // The song at `from` now stands at `to`; those between moved one place towards `from`.
    virtual void SongMoved(int from, int to) = 0;
    // The song at `n` has a new name or lyric.
    virtual void SongChanged(int n) = 0;
};

}  // namespace velmora

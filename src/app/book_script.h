#pragma once
// The script a book speaks: its title's and its songs', as OpenCC tells them apart.

#include <string>

#include "text/script_conversion.h"
#include "workspace/song_collection.h"

// Traditional when more of the title's, names', artists' and lyrics' beginnings are in
// Traditional forms than in Simplified ones; Simplified otherwise, and when the conversions
// cannot be loaded.
velmora::Script ScriptOfBook(const std::u16string& title, const velmora::SongCollection& songs);

#pragma once
// What the program decides before it acts, as plain functions of what it knows: the
// services gather the facts, the window asks and words.

#include <optional>
#include <vector>

#include "workspace/earlier_runs.h"

// What is known when 开始制作 is pressed.
struct BuildFacts {
    bool running = false;
    bool hasTitle = true;
    int songs = 0;
    // The songs of the book of this title in finished/: 0 when there is none (or it was not
    // looked at), -1 when it cannot be read as one of ours.
    int songsInBook = 0;
    // A file that this run has not written, nor been told it may replace, is at the save place.
    bool foreignFileAtSavePlace = false;
    // A book of this title in finished/ that this run neither built nor was told it may
    // replace: its songs (-1 when it cannot be read as one of ours); nothing when none.
    std::optional<int> earlierBook;
    // The folder the save place names is not there (yet).
    bool saveFolderMissing = false;
};

enum class BuildRefusal { None, Running, NoTitle };
// Each question must be answered yes, in this order, before the build starts.
enum class BuildQuestion {
    ReplaceByEmptyBook,
    ReplaceEarlierBook,
    ReplaceAtSavePlace,
    MakeSaveFolder
};

struct BuildPlan {
    BuildRefusal refusal = BuildRefusal::None;
    std::vector<BuildQuestion> questions;
};

BuildPlan PlanBuild(const BuildFacts& facts);

// A book brought into a window that holds nothing yet (no songs, every box at its start
// value) comes back whole: its title, author and cover too, not only its songs.
bool BringsBookBackWhole(int songs, const velmora::RunBoxes& boxes);

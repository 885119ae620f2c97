#include "app/decisions.h"

#include "cover/cover_image.h"
#include "epub/book_info.h"

BuildPlan PlanBuild(const BuildFacts& facts) {
    if (facts.running) {
        return {BuildRefusal::Running, {}};
    }
    if (!facts.hasTitle) {
        return {BuildRefusal::NoTitle, {}};
    }
    BuildPlan plan;
    // An empty list would leave the songs of the book there with no book at all.
    if (facts.songs == 0 && facts.songsInBook != 0) {
        plan.questions.push_back(BuildQuestion::ReplaceByEmptyBook);
    } else if (facts.earlierBook) {
        plan.questions.push_back(BuildQuestion::ReplaceEarlierBook);
    }
    if (facts.foreignFileAtSavePlace) {
        plan.questions.push_back(BuildQuestion::ReplaceAtSavePlace);
    }
    if (facts.saveFolderMissing) {
        plan.questions.push_back(BuildQuestion::MakeSaveFolder);
    }
    return plan;
}

bool BringsBookBackWhole(int songs, const velmora::RunBoxes& boxes) {
    return songs == 0 && AsksForTemplateCover(boxes.cover) &&
           velmora::BookInfo{boxes.title, boxes.author}.IsDefault();
}

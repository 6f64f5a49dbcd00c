#include "formats/intFile.h"
#include "model/CFileFnc.h"
#include "model/clsSubs.h"

FileBase::FileBase(std::shared_ptr<intSettings> block, bool repairsLineEnds)
    : block_(std::move(block)), repairsLineEnds_(repairsLineEnds) {}

void FileBase::setFile(const QString& vData) {
    if (repairsLineEnds_ && FileExists(vData)) FixLineEnds(vData);
    path_ = vData;
}

void FileBase::setSettingBlock(std::shared_ptr<intSettings> block) {
    if (block && block->getSettingName() == SettingSig()) block_ = std::move(block);
}

EventsOff::EventsOff(clsSubs& s) : subs_(s) { subs_.EnableEvents(false); }
EventsOff::~EventsOff() { subs_.EnableEvents(true); }

#include "formats/intFile.h"
#include "formats/FormatIO.h"
#include "model/CFileFnc.h"
#include "model/clsSubs.h"

FileBase::FileBase(std::shared_ptr<intSettings> block, bool repairsLineEnds)
    : block_(std::move(block)), repairsLineEnds_(repairsLineEnds) {}

void FileBase::setFile(const QString& vData) {
    if (repairsLineEnds_ && FileExists(vData)) FixLineEnds(vData);
    path_ = vData;
    encoding_ = TextEncoding();
}

bool FileBase::readLines(QStringList& lines) { return ReadLinesOrReport(path_, lines, &encoding_); }

bool FileBase::writeText(const QString& text) { return WriteOrReport(path_, text, encoding_); }

void FileBase::setSettingBlock(std::shared_ptr<intSettings> block) {
    if (block && block->getSettingName() == SettingSig()) block_ = std::move(block);
}

EventsOff::EventsOff(clsSubs& s) : subs_(s) { subs_.EnableEvents(false); }
EventsOff::~EventsOff() { subs_.EnableEvents(true); }

// The format contract: a file handler reads a file into the document and writes the document
// to a file, talking to its settings block for the format's options. The main window, merge
// and split never name a format class; they obtain handlers from the format choice.
#pragma once

#include "formats/intSettings.h"
#include "model/TextFile.h"

#include <QString>
#include <QStringList>
#include <memory>

class clsSubs;

class intFile {
public:
    virtual ~intFile() = default;
    // Stores the path; most formats repair bare-LF line ends of an existing file first.
    virtual void setFile(const QString& vData) = 0;
    virtual QString file() const = 0;
    // Stores the path of a file about to be written over, without touching that file.
    virtual void setSavePath(const QString& path) = 0;
    // Writes the list; false (after telling the user) when nothing was written.
    virtual bool Save(clsSubs& Subs) = 0;
    // Replaces the list by the file's entries; false (after telling the user) on a fault.
    // Events are on again on every path.
    virtual bool Load(clsSubs& Subs) = 0;
    virtual QString SettingSig() const = 0;
    virtual std::shared_ptr<intSettings> getSettingBlock() const = 0;
    // Adopts the block only when it belongs to this format.
    virtual void setSettingBlock(std::shared_ptr<intSettings> block) = 0;
};

// What every handler shares: the path with its line-end repair, the settings block, and the
// encoding the file was read in, which a save over the same file keeps.
class FileBase : public intFile {
public:
    void setFile(const QString& vData) override;
    QString file() const override { return path_; }
    // A file written under a new name is UTF-8.
    void setSavePath(const QString& path) override {
        path_ = path;
        encoding_ = TextEncoding();
    }
    std::shared_ptr<intSettings> getSettingBlock() const override { return block_; }
    void setSettingBlock(std::shared_ptr<intSettings> block) override;

protected:
    FileBase(std::shared_ptr<intSettings> block, bool repairsLineEnds = true);

    // The file's lines, its encoding remembered; false after telling the user.
    bool readLines(QStringList& lines);
    // Writes the whole text in the file's encoding when every character fits, else in UTF-8;
    // false after telling the user.
    bool writeText(const QString& text);

    QString path_;
    std::shared_ptr<intSettings> block_;
    TextEncoding encoding_;

private:
    bool repairsLineEnds_;
};

// A handler of one format: its own settings block, and the block's form as the format's class.
template <class Settings, class Form> class FileOf : public FileBase {
protected:
    explicit FileOf(bool repairsLineEnds = true) : FileBase(std::make_shared<Settings>(), repairsLineEnds) {}
    // The block's current form; a fresh one when the block holds none of this format's.
    Form* form() const {
        if (auto* f = qobject_cast<Form*>(block_->getForm())) return f;
        return newForm();
    }
    // Every load starts from the form's default values.
    Form* newForm() const {
        block_->setForm(std::make_unique<Form>());
        return static_cast<Form*>(block_->getForm());
    }
};

// Switches the document's notifications off for a bulk load and on again on every path.
class EventsOff {
public:
    explicit EventsOff(clsSubs& s);
    ~EventsOff();
    EventsOff(const EventsOff&) = delete;
    EventsOff& operator=(const EventsOff&) = delete;

private:
    clsSubs& subs_;
};

// A main window stand-in for the tools' tests: it records what the tools ask of it and answers
// with scripted values (selection, video, folders, wizard switches).
#pragma once

#include "formats/intFile.h"
#include "model/clsSubs.h"
#include "tools/ToolHost.h"

#include <QStringList>
#include <QWidget>
#include <array>

struct FakeToolHost : ToolHost {
    QWidget main;
    QStringList calls;
    // Tool bar buttons 2 to 5 by tool.
    std::array<bool, 4> buttons{};
    std::array<bool, 4> wizard{true, true, true, true};
    int selA = -2, selB = -2;
    QString video;
    int interval = 100;
    qint32 timeLinePosition = -1;
    QString file, subFolder = QStringLiteral("/subs"), movieFolder = QStringLiteral("/movies");
    bool lastUsed = true;
    QString newLine = QStringLiteral("|");
    std::unique_ptr<intFile> part;
    clsSubs* doc = nullptr;

    static QString name(Tool t) {
        static const char* names[] = {"Shift", "Stretch", "Split", "Merge"};
        return QString::fromLatin1(names[static_cast<int>(t)]);
    }

    QWidget* MainWindow() override { return &main; }
    void ShowMain() override { calls << QStringLiteral("ShowMain"); }
    void setToolButton(Tool t, bool pressed) override { buttons[static_cast<int>(t)] = pressed; }
    void subSHWzShift() override { calls << QStringLiteral("subSHWzShift"); }
    void subSHWzStretch() override { calls << QStringLiteral("subSHWzStretch"); }
    void subSHWzSplit() override { calls << QStringLiteral("subSHWzSplit"); }
    void subSHWzMerge() override { calls << QStringLiteral("subSHWzMerge"); }
    void ShowToolDialog(Tool t) override { calls << QStringLiteral("ShowToolDialog ") + name(t); }
    bool WizardFor(Tool t) const override { return wizard[static_cast<int>(t)]; }
    void setWizardFor(Tool t, bool on) override { wizard[static_cast<int>(t)] = on; }
    QString NewLineChar() const override { return newLine; }
    int SelA() const override { return selA; }
    int SelB() const override { return selB; }
    bool SelectionExist() const override { return selA >= 0 && selB >= 0 && selA != selB; }
    QString VideoFile() override {
        calls << QStringLiteral("VideoFile");
        return video;
    }
    int VisualInterval() override { return interval; }
    void BringVisualForward() override { calls << QStringLiteral("BringVisualForward"); }
    void setTimeLinePosition(qint32 ms) override { timeLinePosition = ms; }
    QString GetFile() const override { return file; }
    // Keeps the handler of the part to load; loads it into doc when one is given.
    bool LoadPart(std::unique_ptr<intFile> f) override {
        calls << QStringLiteral("LoadPart ") + f->file();
        part = std::move(f);
        if (doc) part->Load(*doc);
        return true;
    }
    QString SubFolder() const override { return subFolder; }
    void setSubFolder(const QString& f) override { subFolder = f; }
    QString MovieFolder() const override { return movieFolder; }
    void setMovieFolder(const QString& f) override { movieFolder = f; }
    bool LastUsed() const override { return lastUsed; }
};

#include "tests/fuzz/FuzzHost.h"
#include "model/clsSubs.h"
#include "platform/Application.h"
#include "platform/Desktop.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
// Every box is answered with its default button, as a user who presses Enter does.
class AnsweringBoxes : public MessageBoxes {
public:
    int show(const QString& text, int flags, const QString& title) override {
        ++shown;
        // Only an error that escaped to the event loop is shown with the critical icon.
        if ((flags & 0x70) == vb::Critical) {
            std::fprintf(stderr, "Unhandled error reached the event loop: %s (%s)\n", qPrintable(text),
                         qPrintable(title));
            fuzz::Check(false, "no error escapes to the event loop");
        }
        return DefaultAnswer(flags);
    }
    int shown = 0;
};

class ConfirmingForms : public ModalRunner {
public:
    void run(QDialog* form) override {
        form->show();
        if (fill) fill(form);
        if (auto* ok = form->findChild<QPushButton*>(QStringLiteral("btOk"))) ok->click();
        // A form that refuses its fields stays open: the user closes it.
        if (form->isVisible()) form->hide();
    }
    fuzz::FormFill fill;
};

class QuietDesktop : public Desktop {
public:
    QString programFolder() override { return folder; }
    QString commandLine() override { return QString(); }
    void beep() override {}
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    QAction* popup(QMenu*, const QPoint&) override { return nullptr; }
    // A fixed list: the font choice must not depend on the machine the fuzzer runs on.
    QStringList screenFonts() override {
        return {QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("Times New Roman"),
                QStringLiteral("Verdana")};
    }
    int shellOpen(const QString&) override { return 42; }
    void exitProgram(int) override {}
    QString folder;
    QString clipboard;
};

// Every save ends in fsync: the scratch files live in memory when the machine has /dev/shm, or
// the disk sets the pace of the run.
QString scratchTemplate() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/lumfuzz-XXXXXX");
}

struct Host {
    int argc = 1;
    char name[8] = "lumfuzz";
    char* argv[2] = {name, nullptr};
    LumApplication* app = nullptr;
    QTemporaryDir scratch{scratchTemplate()};
    AnsweringBoxes boxes;
    ConfirmingForms forms;
    QuietDesktop desk;
    // The documents are kept from input to input, as the editor keeps its one document: a new
    // one reserves room for every entry it may hold, which would cost more than the reading.
    std::unique_ptr<clsSubs> first, second;
};

Host& host() {
    static Host h;
    return h;
}

void quiet(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(msg));
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Host& h = host();
    if (h.app) return 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own warnings about odd input would drown the fuzzer's output.
    qInstallMessageHandler(quiet);
    // Qt is given arguments of its own: it would take libFuzzer's flags for its own. The
    // application is kept to the very end: libFuzzer leaves through exit(), when Qt's own statics
    // may already be gone, so it is never destroyed.
    static LumApplication* app = new LumApplication(h.argc, h.argv);
    h.app = app;
    h.desk.folder = h.scratch.path() + u'/';
    InstallMessageBoxes(&h.boxes);
    InstallModalRunner(&h.forms);
    InstallDesktop(&h.desk);
    h.first = std::make_unique<clsSubs>();
    h.second = std::make_unique<clsSubs>();
    return 0;
}

namespace fuzz {

void Check(bool ok, const char* rule) {
    if (ok) return;
    std::fprintf(stderr, "Broken rule: %s\n", rule);
    // abort() skips the destructors that would remove the scratch folder.
    host().scratch.remove();
    std::abort();
}

int TakeBoxes() {
    const int n = host().boxes.shown;
    host().boxes.shown = 0;
    return n;
}

void SetFormFill(FormFill fill) { host().forms.fill = std::move(fill); }

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString ScratchPath(const QString& name) { return host().scratch.filePath(name); }

QString WriteScratch(const QString& name, QByteArrayView bytes) {
    const QString path = ScratchPath(name);
    QFile f(path);
    Check(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes.data(), bytes.size()) == bytes.size(),
          "the scratch folder can be written");
    return path;
}

QByteArray ReadScratch(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void RoundTrip(FileType type, const QString& ext, QByteArrayView input) {
    struct Settled {
        ~Settled() { Settle(); }
    } settled;
    const QString in = WriteScratch(QStringLiteral("in.") + ext, input);
    const QString out = ScratchPath(QStringLiteral("out.") + ext);
    QFile::remove(out);
    TakeBoxes();

    clsSubs& subs = *host().first;
    std::unique_ptr<intFile> file = NewFileHandler(type);
    file->setFile(in);
    const bool loaded = file->Load(subs);
    Check(subs.eventsEnabled(), "a load leaves the document's events on");
    Check(loaded || TakeBoxes() > 0, "a load that fails tells the user");
    if (!loaded) return;

    // Saved over a new file with the settings read, as Save As in the same format does.
    file->setSavePath(out);
    TakeBoxes();
    const bool saved = file->Save(subs);
    Check(saved || TakeBoxes() > 0, "a save that fails tells the user");
    if (!saved) return;

    clsSubs& again = *host().second;
    std::unique_ptr<intFile> reread = NewFileHandler(type);
    reread->setFile(out);
    TakeBoxes();
    Check(reread->Load(again), "a file the program wrote reads back");
    Check(again.eventsEnabled(), "a load leaves the document's events on");
}

} // namespace fuzz

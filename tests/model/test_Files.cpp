#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {
const QString S(const char* s) { return QString::fromUtf8(s); }

// A folder where a file can't grow past 64 KiB: a small tmpfs where mounting is allowed (the
// write fails as on a full disk), otherwise a temporary folder under a file-size limit.
class CrampedFolder {
public:
    CrampedFolder() {
        if (mount("tmpfs", QFile::encodeName(dir_.folder()).constData(), "tmpfs", 0, "size=64k") == 0) {
            mounted_ = true;
            return;
        }
        if (getrlimit(RLIMIT_FSIZE, &old_) != 0) return;
        rlimit small = old_;
        small.rlim_cur = 64 * 1024;
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        limited_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~CrampedFolder() {
        if (mounted_) umount2(QFile::encodeName(dir_.folder()).constData(), MNT_DETACH);
        if (limited_) setrlimit(RLIMIT_FSIZE, &old_);
        if (oldSignal_ != SIG_ERR) std::signal(SIGXFSZ, oldSignal_);
    }
    bool ready() const { return mounted_ || limited_; }
    // What the system says when the file can grow no further.
    QString reason() const { return QString::fromLocal8Bit(std::strerror(mounted_ ? ENOSPC : EFBIG)); }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    bool mounted_ = false, limited_ = false;
    rlimit old_{};
    void (*oldSignal_)(int) = SIG_ERR;
};

void makeReadOnly(const QString& path) {
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup);
}
} // namespace

TEST(FilterExtension, AddedWhenTheNameHasNoneOfTheFilters) {
    const QString f = SubFileFilter();
    EXPECT_EQ(AddFilterExt(S("/s/movie"), f, 2), S("/s/movie.srt"));
    EXPECT_EQ(AddFilterExt(S("/s/MOVIE.SRT"), f, 2), S("/s/MOVIE.SRT"));
    EXPECT_EQ(AddFilterExt(S("/s/movie.srt"), f, 6), S("/s/movie.srt.sub"));
    EXPECT_EQ(AddFilterExt(S("/s/movie.txt"), f, 6), S("/s/movie.txt"));
    EXPECT_EQ(AddFilterExt(S("/s/movie.txt"), f, 1), S("/s/movie.txt"));
    EXPECT_EQ(AddFilterExt(S("/s/movie.sami"), f, 3), S("/s/movie.sami"));
    EXPECT_EQ(AddFilterExt(S("/s/movie"), f, 1), S("/s/movie.srt"));
    EXPECT_EQ(AddFilterExt(S("/s/movie"), f, 6), S("/s/movie.sub"));
    // The name must be longer than the extension: ".srt" alone gets another.
    EXPECT_EQ(AddFilterExt(S("srt"), f, 2), S("srt.srt"));
    EXPECT_THROW(AddFilterExt(S("movie"), f, 0), RuntimeError);
    EXPECT_THROW(AddFilterExt(S("movie"), f, 9), RuntimeError);
}

TEST(PathParts, TitleAndFolder) {
    EXPECT_EQ(FileTitleOf(S("/home/u/subs/a.srt")), S("a.srt"));
    EXPECT_EQ(FolderOf(S("/home/u/subs/a.srt")), S("/home/u/subs/"));
    EXPECT_EQ(FileTitleOf(S("a.srt")), QString());
    EXPECT_EQ(FolderOf(S("a.srt")), QString());
    EXPECT_EQ(FolderOf(S("/a.srt")), S("/"));
}

TEST(WriteProbe, NeverTouchesTheUsersFiles) {
    TempDir dir;
    const QByteArray mine = "my own notes\r\n";
    dir.write(S("dummy.txt"), mine);
    EXPECT_TRUE(CanWriteFolder(dir.folder()));
    EXPECT_TRUE(CanWriteFolder(dir.folder().chopped(1)));
    EXPECT_EQ(dir.read(S("dummy.txt")), mine);
    EXPECT_EQ(QDir(dir.folder()).entryList(QDir::Files), QStringList{S("dummy.txt")});
    EXPECT_FALSE(CanWriteFolder(dir.path(S("missing"))));
    EXPECT_FALSE(CanWriteFolder(dir.path(S("dummy.txt"))));
}

TEST(LineEndRepair, BareLfBecomesCrLf) {
    TempDir dir;
    const QString p = dir.write(S("a.srt"), "1\n00:00:01,000 --> 00:00:02,000\nHi\n\n");
    FixLineEnds(p);
    EXPECT_EQ(dir.read(S("a.srt")), QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n\r\n\r\n"));
    // A repaired file starts with CR LF and is left alone from then on.
    FixLineEnds(p);
    EXPECT_EQ(dir.read(S("a.srt")), QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n\r\n\r\n"));
}

TEST(LineEndRepair, OnlyWhenTheFirstLineEndsInBareLf) {
    TempDir dir;
    const QByteArray crlfFirst = "a\r\nb\nc\n";
    FixLineEnds(dir.write(S("crlf.txt"), crlfFirst));
    EXPECT_EQ(dir.read(S("crlf.txt")), crlfFirst);
    // Mixed line ends keep their CR LF and get CR before each bare LF; a leading LF counts.
    FixLineEnds(dir.write(S("mixed.txt"), "\na\nb\r\nc"));
    EXPECT_EQ(dir.read(S("mixed.txt")), QByteArray("\r\na\r\nb\r\nc\r\n"));
    const QByteArray noEnds = "just one line";
    FixLineEnds(dir.write(S("one.txt"), noEnds));
    EXPECT_EQ(dir.read(S("one.txt")), noEnds);
    const QByteArray crOnly = "a\rb\nc";
    FixLineEnds(dir.write(S("cr.txt"), crOnly));
    EXPECT_EQ(dir.read(S("cr.txt")), crOnly);
}

TEST(LineEndRepair, KeepsContentExactly) {
    TempDir dir;
    // Text that once served as a marker, legacy bytes and UTF-8 all survive byte for byte.
    const QByteArray in = "|abcdcba|\nx|abcdcba|y\n\xE9\x80\n\xC3\xA9\n";
    FixLineEnds(dir.write(S("m.txt"), in));
    EXPECT_EQ(dir.read(S("m.txt")), QByteArray("|abcdcba|\r\nx|abcdcba|y\r\n\xE9\x80\r\n\xC3\xA9\r\n\r\n"));
}

TEST(LineEndRepair, SkipsBinaryReadOnlyAndMissingFiles) {
    TempDir dir;
    const QByteArray binary("a\nb\0c\n", 6);
    FixLineEnds(dir.write(S("bin.srt"), binary));
    EXPECT_EQ(dir.read(S("bin.srt")), binary);
    // UTF-16 text without a NUL byte, whose "上" holds a byte 0x0A.
    const QByteArray utf16 = "\xFF\xFE\x0A\x4E";
    FixLineEnds(dir.write(S("utf16.srt"), utf16));
    EXPECT_EQ(dir.read(S("utf16.srt")), utf16);
    const QByteArray lf = "a\nb\n";
    const QString ro = dir.write(S("ro.srt"), lf);
    makeReadOnly(ro);
    EXPECT_NO_THROW(FixLineEnds(ro));
    EXPECT_EQ(dir.read(S("ro.srt")), lf);
    EXPECT_NO_THROW(FixLineEnds(dir.path(S("missing.srt"))));
    EXPECT_FALSE(QFile::exists(dir.path(S("missing.srt"))));
}

TEST(TextFiles, DecodingAndLines) {
    EXPECT_EQ(DecodeText(QByteArray("\xEF\xBB\xBFh\xC3\xA9")), S("hé"));
    EXPECT_EQ(DecodeText(QByteArray("caf\xE9 \x80\x93")), S("café €“"));
    EXPECT_EQ(SplitLines(S("a\r\nb\nc")), (QStringList{S("a"), S("b"), S("c")}));
    EXPECT_EQ(SplitLines(S("a\r\n\r\n")), (QStringList{S("a"), QString()}));
    EXPECT_EQ(SplitLines(S("a\rb\r\r\nc\r\r\rd")), (QStringList{S("a"), S("b"), S("c"), QString(), QString(), S("d")}));
    EXPECT_TRUE(SplitLines(QString()).isEmpty());
}

TEST(TextFiles, AWriteThatRunsOutOfRoomSaysWhyAndKeepsTheOldFile) {
    CrampedFolder cramped;
    if (!cramped.ready()) GTEST_SKIP() << "neither a small tmpfs nor a file-size limit could be set up";
    const QByteArray old(4700, 'o');
    const QString path = cramped.dir().write(S("a.srt"), old);
    QString why;
    EXPECT_FALSE(WriteTextFile(path, QString(1 << 20, u'n'), &why));
    EXPECT_EQ(why, cramped.reason());
    EXPECT_EQ(cramped.dir().read(S("a.srt")), old);
    EXPECT_EQ(QDir(cramped.dir().folder()).entryList(QDir::Files), QStringList{S("a.srt")});
}

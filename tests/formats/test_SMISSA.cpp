// What the SAMI and SubStation Alpha readers share: files longer than the list, and files of
// any number of lines.
#include "formats/clsFileSMI.h"
#include "formats/clsFileSSA.h"
#include "formats/frmProg.h"
#include "model/clsSubs.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

using formtest::entries;
using formtest::expectFormOk;

namespace {
// The entries of the file, loaded into subs with the form confirmed; none when it is refused.
std::vector<std::string> opened(intFile& f, clsSubs& subs, const QString& path) {
    f.setFile(path);
    expectFormOk();
    if (!f.Load(subs)) return {};
    return entries(subs);
}

QString bodyMarkup(const clsFileSMI& f) {
    return clsFileSMIFrm1::boxText(static_cast<clsFileSMIFrm1*>(f.getSettingBlock()->getForm())->txtSMIBody1);
}
} // namespace

TEST(SamiSsaReaders, AFileOfMoreEntriesThanTheListIsReadInPart) {
    TempDir dir;
    QByteArray sami = "<SAMI><HEAD></HEAD><BODY>\r\n";
    QByteArray ssa = "[Script Info]\r\n[V4+ Styles]\r\nFormat: Name\r\nStyle: D\r\n[Events]\r\n"
                     "Format: Start, End, Text\r\n";
    for (int i = 0; i <= clsSubs::Capacity; ++i) {
        sami += "<SYNC Start=" + QByteArray::number(i * 1000) + "><P>x" + QByteArray::number(i) + "\r\n";
        ssa += "Dialogue: " + clsFileSSA::SsaTime(i * 1000).toLatin1() + ',' +
               clsFileSSA::SsaTime(i * 1000 + 500).toLatin1() + ",x" + QByteArray::number(i) + "\r\n";
    }
    sami += "<SYNC Start=99999999></BODY></SAMI>\r\n";
    clsFileSMI smiFile;
    clsFileSSA ssaFile;
    const struct {
        intFile& file;
        QString path;
        const char* format;
        qint32 lastOut;
    } cases[] = {{smiFile, dir.write(QStringLiteral("full.smi"), sami), "SAMI", clsSubs::Capacity * 1000},
                 {ssaFile, dir.write(QStringLiteral("full.ssa"), ssa), "SubStation Alpha",
                  (clsSubs::Capacity - 1) * 1000 + 500}};
    for (const auto& c : cases) {
        clsSubs subs;
        c.file.setFile(c.path);
        Boxes().expect(vb::OK);
        EXPECT_FALSE(c.file.Load(subs)); // read in part
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(Boxes().shown[0].text,
                  QStringLiteral("The list is full: it holds at most 10001 subtitles, and this %1 file has more. The "
                                 "first 10001 were read.")
                      .arg(QLatin1String(c.format)));
        EXPECT_EQ(Boxes().shown[0].flags, vb::Exclamation);
        EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
        ASSERT_EQ(subs.count(), clsSubs::Capacity);
        const int last = clsSubs::Capacity - 1;
        EXPECT_EQ(subs.SubText(last), QStringLiteral("x%1").arg(last));
        EXPECT_EQ(subs.SubTimeIn(last), last * 1000);
        EXPECT_EQ(subs.SubTimeOut(last), c.lastOut);
        EXPECT_TRUE(subs.eventsEnabled());
        EXPECT_FALSE(ProgressWindow().isVisible());
        EXPECT_TRUE(Forms().shown.isEmpty());
        Boxes().reset();
    }
}

TEST(SamiSsaReaders, FilesOfAnyNumberOfLinesOpen) {
    TempDir dir;
    // Markup before the first SYNC comes back one tag a line: far more lines than were read.
    QByteArray markup;
    for (int i = 0; i < 33000; ++i) markup += i % 40 == 39 ? "<b>\r\n" : "<b>";
    const QByteArray sami = "<SAMI><HEAD><TITLE>T</TITLE></HEAD><BODY>\r\n" + markup +
                            "\r\n<SYNC Start=1000><P>One\r\n<SYNC Start=2000><P>Two\r\n"
                            "<SYNC Start=3000>\r\n</BODY></SAMI>\r\n";
    const std::vector<std::string> two{formtest::row(1000, 2000, QStringLiteral("One")),
                                       formtest::row(2000, 3000, QStringLiteral("Two"))};
    clsFileSMI smi;
    clsSubs subs;
    EXPECT_EQ(opened(smi, subs, dir.write(QStringLiteral("in.smi"), sami)), two);
    smi.setSavePath(dir.path(QStringLiteral("out.smi")));
    expectFormOk();
    ASSERT_TRUE(smi.Save(subs));
    EXPECT_GT(dir.read(QStringLiteral("out.smi")).count('\n'), 33000);
    clsFileSMI reopened;
    clsSubs again;
    EXPECT_EQ(opened(reopened, again, dir.path(QStringLiteral("out.smi"))), two);
    EXPECT_EQ(bodyMarkup(reopened), bodyMarkup(smi));

    // A long SubStation Alpha script of few entries.
    QByteArray ssa = "[Script Info]\r\n";
    for (int i = 0; i < 33000; ++i) ssa += "; note\r\n";
    ssa += "[V4+ Styles]\r\nFormat: Name\r\nStyle: D\r\n[Events]\r\nFormat: Start, End, Text\r\n"
           "Dialogue: 0:00:01.00,0:00:02.00,One\r\nDialogue: 0:00:02.00,0:00:03.00,Two\r\n";
    clsFileSSA ssaFile;
    clsSubs script;
    EXPECT_EQ(opened(ssaFile, script, dir.write(QStringLiteral("long.ssa"), ssa)), two);
}

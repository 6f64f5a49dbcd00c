#include "mainwin/frmMain.h"
#include "mainwin/frmSearch.h"
#include "tests/controls/ListingFixture.h"
#include "tests/support/Scripted.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
struct SearchHost : ListingHost {
    frmSearch f;
    explicit SearchHost(int n) : ListingHost(n), f(l) {
        f.show();
        events.clear();
    }
    void type(const QString& search, const QString& replace = QString()) {
        f.txtSearch->clear();
        QTest::keyClicks(f.txtSearch, search);
        f.txtReplace->setText(replace);
    }
    void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};
} // namespace

TEST(FindWindow, ReplaceSectionOpensAndCloses) {
    SearchHost h(3);
    EXPECT_EQ(h.f.windowTitle(), QStringLiteral("Find Subtitle"));
    EXPECT_EQ(h.f.height(), 3585 / 15);
    // The replace section lies below the find part.
    EXPECT_GE(h.f.Frame2->y(), h.f.height());
    h.press(h.f.btReplace);
    EXPECT_TRUE(h.f.btReplace->isChecked());
    EXPECT_EQ(h.f.height(), 4980 / 15);
    EXPECT_LE(h.f.Frame2->geometry().bottom(), h.f.height());
    EXPECT_EQ(h.f.focusWidget(), h.f.txtReplace);
    h.press(h.f.btReplace);
    EXPECT_EQ(h.f.height(), 3585 / 15);
    EXPECT_EQ(h.f.focusWidget(), h.f.txtSearch);

    h.type(QStringLiteral("cat"));
    EXPECT_EQ(h.f.Label2->text(), QStringLiteral("Replace cat by :"));
}

TEST(FindWindow, FindNextWithTheChosenOptions) {
    SearchHost h(8);
    h.subs.setSubText(2, QStringLiteral("The Cat"));
    h.subs.setSubText(5, QStringLiteral("cats"));
    h.subs.setSubText(6, QStringLiteral("a cat"));
    h.l->SelectSub(0);
    // An empty text does nothing.
    h.press(h.f.btFind);
    EXPECT_EQ(h.sel.value(), 0);

    h.type(QStringLiteral("cat"));
    h.press(h.f.btFind);
    EXPECT_EQ(h.sel.value(), 2);
    h.press(h.f.btFind);
    EXPECT_EQ(h.sel.value(), 5);
    h.f.chComplete->setChecked(true);
    h.press(h.f.btFind);
    EXPECT_EQ(h.sel.value(), 6);
    h.f.chBackwards->setChecked(true);
    h.press(h.f.btFind);
    EXPECT_EQ(h.sel.value(), 2);
    h.f.chMatch->setChecked(true);
    h.press(h.f.btFind);
    EXPECT_EQ(h.sel.value(), 6);

    // Within the range only.
    h.f.chWhere[0]->setChecked(true);
    h.a.setValue(3);
    h.b.setValue(5);
    Boxes().expect(vb::OK, QStringLiteral("Search string not found"));
    h.press(h.f.btFind);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Search Result"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    EXPECT_EQ(h.sel.value(), 6);
    h.f.chComplete->setChecked(false);
    h.press(h.f.btFind);
    EXPECT_EQ(h.sel.value(), 5);
}

TEST(FindWindow, ReplaceGoesOnWhenTheSubtitleHoldsNoMore) {
    SearchHost h(6);
    h.subs.setSubText(1, QStringLiteral("cat and cat"));
    h.subs.setSubText(4, QStringLiteral("one cat"));
    h.type(QStringLiteral("cat"), QStringLiteral("dog"));
    h.l->SelectSub(1);
    h.press(h.f.btReplaceIt);
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("dog and cat"));
    EXPECT_EQ(h.sel.value(), 1);
    // The last hit replaced, the next subtitle that holds the text is found.
    h.press(h.f.btReplaceIt);
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("dog and dog"));
    EXPECT_EQ(h.sel.value(), 4);
    // When none is left the selection stays, without a message.
    h.press(h.f.btReplaceIt);
    EXPECT_EQ(h.subs.SubText(4), QStringLiteral("one dog"));
    EXPECT_EQ(h.sel.value(), 4);
    // Not on a hit: Replace only finds, and says when there is none.
    Boxes().expect(vb::OK, QStringLiteral("Search string not found"));
    h.press(h.f.btReplaceIt);
    EXPECT_EQ(Boxes().shown.size(), 1u);
    h.type(QStringLiteral("line"), QStringLiteral("row"));
    h.press(h.f.btReplaceIt);
    EXPECT_EQ(h.sel.value(), 5);
    EXPECT_EQ(h.subs.SubText(5), QStringLiteral("Text 5\r\nline two"));

    // A stored new-line character matches the typed one but is no line break: Replace moves
    // on rather than staying on a row it cannot change.
    h.subs.setSubText(0, QStringLiteral("a\u00A4b"));
    h.subs.setSubText(2, QStringLiteral("c\u00A4d"));
    h.type(QStringLiteral("\u00A4"), QStringLiteral(" "));
    h.l->SelectSub(0);
    h.press(h.f.btReplaceIt);
    EXPECT_EQ(h.subs.SubText(0), QStringLiteral("a\u00A4b"));
    EXPECT_NE(h.sel.value(), 0);
}

TEST(FindWindow, ReplaceAllReportsTheCount) {
    SearchHost h(6);
    h.type(QStringLiteral("LINE"), QStringLiteral("row"));
    h.f.chWhere[0]->setChecked(true);
    h.a.setValue(1);
    h.b.setValue(3);
    Boxes().expect(vb::OK);
    h.press(h.f.btReplaceAll);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("Done. 3 replacements were made."));
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Replace result"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    EXPECT_EQ(h.subs.SubText(0), QStringLiteral("Text 0\r\nline two"));
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("Text 2\r\nrow two"));
    // A one-row range: the whole list.
    h.a.setValue(4);
    h.b.setValue(4);
    Boxes().expect(vb::OK, QStringLiteral("Done. 3 replacements"));
    h.press(h.f.btReplaceAll);
    EXPECT_EQ(h.subs.SubText(5), QStringLiteral("Text 5\r\nrow two"));
}

TEST(FindWindow, ReplaceAllMarksTheMainWindowsDocumentChanged) {
    frmMain w;
    for (int i = 0; i < 5; ++i) w.cSubs->AddSub(QStringLiteral("a word %1").arg(i), i * 1000, i * 1000 + 500);
    w.bChanged = false;
    frmSearch f(w.picListing);
    f.txtSearch->setText(QStringLiteral("word"));
    f.txtReplace->setText(QStringLiteral("name"));
    Boxes().expect(vb::OK, QStringLiteral("Done. 5 replacements"));
    QTest::mouseClick(f.btReplaceAll, Qt::LeftButton);
    EXPECT_EQ(w.cSubs->SubText(3), QStringLiteral("a name 3"));
    EXPECT_TRUE(w.bChanged);
}

TEST(FindWindow, ShownModallyByF3AndKeptWhenClosed) {
    ListingHost h(5);
    frmSearch f(h.l);
    QObject::connect(h.l, &SubListing::SearchWindowRequested, [&] { ShowModal(&f); });
    h.click(300, 0);
    Forms().expect([](QDialog* d) {
        auto* w = qobject_cast<frmSearch*>(d);
        ASSERT_TRUE(w);
        QTest::keyClicks(w->txtSearch, QStringLiteral("line"));
        w->chBackwards->setChecked(true);
        QTest::mouseClick(w->btFind, Qt::LeftButton);
        w->close();
    });
    QTest::keyClick(h.l->txtSubText, Qt::Key_F3);
    EXPECT_EQ(Forms().shown, QStringList{QStringLiteral("frmSearch")});
    EXPECT_EQ(h.sel.value(), 4);
    // Then F3 repeats the search without the window.
    QTest::keyClick(h.l->txtSubText, Qt::Key_F3);
    EXPECT_EQ(h.sel.value(), 3);

    Forms().expect([](QDialog* d) {
        auto* w = static_cast<frmSearch*>(d);
        EXPECT_EQ(w->txtSearch->text(), QStringLiteral("line"));
        EXPECT_TRUE(w->chBackwards->isChecked());
        QTest::mouseClick(w->btCancel, Qt::LeftButton);
    });
    ShowModal(&f);
    EXPECT_FALSE(f.isVisible());
}

#include "tests/controls/ListingFixture.h"
#include "tests/support/Scripted.h"

#include <QAction>
#include <QDialog>

namespace {
const QString kNl = QStringLiteral("\u00A4");

// Rows to search: "row i" everywhere, with one row given the word to find.
void onlyRowHolds(ListingHost& h, int row, const QString& text = QStringLiteral("needle")) {
    for (int i = 0; i < h.subs.count(); ++i) h.subs.setSubText(i, QStringLiteral("row %1").arg(i));
    h.subs.setSubText(row, text);
}

// The order in which find visits the rows, told by where each row's hit is found.
std::vector<int> visitOrder(ListingHost& h, int selected, int a, int b, bool backwards, bool range) {
    std::vector<int> order(h.subs.count() + 1, -1);
    int visited = 0;
    for (int row = 0; row < h.subs.count(); ++row) {
        onlyRowHolds(h, row);
        h.sel.setValue(selected);
        h.a.setValue(a);
        h.b.setValue(b);
        const int steps = h.l->find(QStringLiteral("needle"), backwards, false, false, range);
        if (steps < 0) continue;
        EXPECT_EQ(h.sel.value(), row);
        order[steps - 1] = row;
        ++visited;
    }
    order.resize(visited);
    return order;
}

struct CountingHost : ListingHost {
    int majors = 0;
    bool changed = false; // as the main window marks its document
    explicit CountingHost(int n) : ListingHost(n) {
        QObject::connect(&subs, &clsSubs::MajorChange, [this] {
            ++majors;
            changed = true;
        });
        QObject::connect(&subs, &clsSubs::Change, [this](int) { changed = true; });
    }
    void clearCounts() {
        majors = 0;
        changes = 0;
        changed = false;
    }
};
} // namespace

TEST(ListingFind, VisitsEachRowOnceInCyclicOrder) {
    ListingHost h(10);
    using V = std::vector<int>;
    // Forward from the last row: row 0 first, the selected row last.
    EXPECT_EQ(visitOrder(h, 9, -2, -2, false, false), (V{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(visitOrder(h, 4, -2, -2, false, false), (V{5, 6, 7, 8, 9, 0, 1, 2, 3, 4}));
    EXPECT_EQ(visitOrder(h, 4, -2, -2, true, false), (V{3, 2, 1, 0, 9, 8, 7, 6, 5, 4}));
    // Without a selection: forward from the first row, backward from the last.
    EXPECT_EQ(visitOrder(h, -2, -2, -2, false, false), (V{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(visitOrder(h, -2, -2, -2, true, false), (V{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    // Within rows 5 to 9, wrapping inside the range.
    EXPECT_EQ(visitOrder(h, 7, 5, 9, false, true), (V{8, 9, 5, 6, 7}));
    EXPECT_EQ(visitOrder(h, 7, 5, 9, true, true), (V{6, 5, 9, 8, 7}));
    // The selection outside the range: from the range's first row, or backward its last.
    EXPECT_EQ(visitOrder(h, -2, 2, 4, false, true), (V{2, 3, 4}));
    EXPECT_EQ(visitOrder(h, -2, 2, 4, true, true), (V{4, 3, 2}));
    // Selection only without a range searches nothing.
    EXPECT_EQ(visitOrder(h, 3, -2, -2, false, true), V{});
}

TEST(ListingFind, MarksTheHitAndKeepsTheSelectionWhenNothingIsFound) {
    ListingHost h(6);
    h.subs.setSubText(3, QStringLiteral("One\r\nTwo words"));
    h.sel.setValue(1);
    EXPECT_EQ(h.l->find(QStringLiteral("e") + kNl + QStringLiteral("tw"), false, false, false, false), 2);
    EXPECT_EQ(h.sel.value(), 3);
    EXPECT_EQ(h.l->txtSubText->selectionStart(), 2);
    EXPECT_EQ(h.l->txtSubText->selectedText(), QStringLiteral("e") + kNl + QStringLiteral("Tw"));

    EXPECT_EQ(h.l->find(QStringLiteral("absent"), false, false, false, false), -1);
    EXPECT_EQ(h.sel.value(), 3);
    // An empty text finds nothing, and an empty list has nothing to search.
    EXPECT_EQ(h.l->find(QString(), false, false, false, false), -1);
    h.fill(0);
    EXPECT_EQ(h.l->find(QStringLiteral("a"), false, false, false, false), -1);
}

TEST(ListingFind, WholeWordsAndCase) {
    ListingHost h(4);
    h.subs.setSubText(0, QStringLiteral("within the words"));
    h.subs.setSubText(1, QStringLiteral("first\r\nword"));
    h.subs.setSubText(2, QStringLiteral("kept") + kNl + QStringLiteral("Word"));
    h.subs.setSubText(3, QStringLiteral("WORDS"));
    h.sel.setValue(3);
    auto found = [&](const QString& t, bool match, bool whole) {
        const int steps = h.l->find(t, false, match, whole, false);
        return steps < 0 ? -1 : h.sel.value();
    };
    // Next to a line break and next to a stored new-line character a word is whole.
    EXPECT_EQ(found(QStringLiteral("word"), false, true), 1);
    EXPECT_EQ(h.l->txtSubText->selectionStart(), 6);
    EXPECT_EQ(found(QStringLiteral("word"), false, true), 2);
    EXPECT_EQ(found(QStringLiteral("word"), false, true), 1);
    // Case: only the exact case with match case; any case without.
    h.sel.setValue(3);
    EXPECT_EQ(found(QStringLiteral("Word"), true, true), 2);
    EXPECT_EQ(found(QStringLiteral("Word"), true, true), 2);
    EXPECT_EQ(found(QStringLiteral("WORDS"), true, false), 3);
    EXPECT_EQ(found(QStringLiteral("words"), false, false), 0);
    EXPECT_EQ(found(QStringLiteral("words"), true, false), 0);
    EXPECT_EQ(found(QStringLiteral("words"), false, false), 3);
    // Part of a word is no whole word.
    EXPECT_EQ(found(QStringLiteral("thin"), false, true), -1);
    EXPECT_EQ(found(QStringLiteral("thin"), false, false), 0);
}

TEST(ListingFind, FindNextRepeatsAndSearchNextAsksForTheWindowFirst) {
    ListingHost h(5);
    QDialog window;
    window.setObjectName(QStringLiteral("findWindow"));
    int asked = 0;
    QObject::connect(h.l, &SubListing::SearchWindowRequested, [&] {
        ++asked;
        ShowModal(&window);
    });
    h.click(300, 0);
    ASSERT_EQ(h.focus(), h.l->txtSubText);

    // No search yet: F3 in the text box shows the host's find window, which searches.
    Forms().expect([&](QDialog* f) {
        EXPECT_EQ(f, &window);
        h.l->find(QStringLiteral("line"), false, false, false, false);
        f->hide();
    });
    QTest::keyClick(h.l->txtSubText, Qt::Key_F3);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(h.sel.value(), 1);

    // Then F3 goes on with the stored search, also when the host has F3 as a shortcut.
    int shortcut = 0;
    QAction act(&h.w);
    act.setShortcut(Qt::Key_F3);
    h.w.addAction(&act);
    QObject::connect(&act, &QAction::triggered, [&] { ++shortcut; });
    QTest::keyClick(h.l->txtSubText, Qt::Key_F3);
    EXPECT_EQ(h.sel.value(), 2);
    EXPECT_EQ(shortcut, 0);
    EXPECT_EQ(h.l->FindNext(), 1);
    EXPECT_EQ(h.sel.value(), 3);

    h.l->find(QStringLiteral("absent"), true, true, true, false);
    Boxes().expect(vb::OK, QStringLiteral("Search String not found"));
    h.l->SearchNext();
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("Search String not found"));
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Search Result"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    EXPECT_EQ(asked, 1);
}

TEST(ListingReplace, SelectionReplacesOneHitAtATime) {
    ListingHost h(3);
    h.subs.setSubText(1, QStringLiteral("a cat\r\ncat, Cat"));
    h.sel.setValue(1);
    EXPECT_TRUE(h.l->isSelected(QStringLiteral("CAT"), false, true));
    EXPECT_FALSE(h.l->isSelected(QStringLiteral("CAT"), true, false));
    EXPECT_TRUE(h.l->ReplaceSelection(QStringLiteral("cat"), QStringLiteral("dog"), false, true));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("a dog\r\ncat, Cat"));
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("a dog") + kNl + QStringLiteral("cat, Cat"));
    EXPECT_TRUE(h.l->ReplaceSelection(QStringLiteral("Cat"), QStringLiteral("dog"), true, true));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("a dog\r\ncat, dog"));
    // The new-line character stands for the stored line break in both texts.
    EXPECT_TRUE(h.l->ReplaceSelection(QStringLiteral("g") + kNl + QStringLiteral("c"),
                                      QStringLiteral("g.") + kNl + kNl + QStringLiteral("C"), false, false));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("a dog.\r\n\r\nCat, dog"));
    EXPECT_FALSE(h.l->ReplaceSelection(QStringLiteral("bird"), QStringLiteral("x"), false, false));
    EXPECT_FALSE(h.l->ReplaceSelection(QString(), QStringLiteral("x"), false, false));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("a dog.\r\n\r\nCat, dog"));

    // Without a current row the text box's last text is no hit.
    h.sel.setValue(-2);
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("a dog.") + kNl + kNl + QStringLiteral("Cat, dog"));
    EXPECT_FALSE(h.l->isSelected(QStringLiteral("dog"), false, false));
    EXPECT_FALSE(h.l->ReplaceSelection(QStringLiteral("dog"), QStringLiteral("x"), false, false));
}

TEST(ListingReplace, AllIsOneMajorChangeThatMarksTheDocument) {
    CountingHost h(6);
    h.subs.setSubText(0, QStringLiteral("The cat\r\ncat"));
    h.subs.setSubText(4, QStringLiteral("catalogue cat") + kNl + QStringLiteral("cat"));
    h.sel.setValue(4);
    h.clearCounts();
    EXPECT_EQ(h.l->ReplaceAll(QStringLiteral("CAT"), QStringLiteral("dog"), false, true, false), 4);
    EXPECT_EQ(h.subs.SubText(0), QStringLiteral("The dog\r\ndog"));
    // A stored new-line character stays, and still separates words.
    EXPECT_EQ(h.subs.SubText(4), QStringLiteral("catalogue dog") + kNl + QStringLiteral("dog"));
    EXPECT_EQ(h.majors, 1);
    EXPECT_EQ(h.changes, 0);
    EXPECT_TRUE(h.changed);
    EXPECT_TRUE(h.subs.eventsEnabled());
    // The edit bar shows the new text.
    EXPECT_EQ(h.l->txtSubText->text(), h.subs.SubText(4));

    // Line breaks: the new-line character stands for CR LF; a stored one is left alone.
    h.clearCounts();
    EXPECT_EQ(h.l->ReplaceAll(kNl, QStringLiteral(" / "), false, false, false), 5);
    EXPECT_EQ(h.subs.SubText(0), QStringLiteral("The dog / dog"));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("Text 1 / line two"));
    EXPECT_EQ(h.subs.SubText(4), QStringLiteral("catalogue dog") + kNl + QStringLiteral("dog"));

    // Nothing to replace, an empty search or the same text: no change and nothing raised.
    h.clearCounts();
    EXPECT_EQ(h.l->ReplaceAll(QStringLiteral("bird"), QStringLiteral("x"), false, false, false), 0);
    EXPECT_EQ(h.l->ReplaceAll(QString(), QStringLiteral("x"), false, false, false), 0);
    EXPECT_EQ(h.l->ReplaceAll(QStringLiteral("dog"), QStringLiteral("dog"), false, false, false), 0);
    EXPECT_EQ(h.majors, 0);
    EXPECT_FALSE(h.changed);

    // Events a host switched off stay off.
    h.subs.EnableEvents(false);
    h.l->ReplaceAll(QStringLiteral("dog"), QStringLiteral("cat"), false, false, false);
    EXPECT_FALSE(h.subs.eventsEnabled());
    h.subs.EnableEvents(true);
    EXPECT_EQ(h.majors, 0);
}

TEST(ListingReplace, AllWithinTheRange) {
    CountingHost h(8);
    h.a.setValue(2);
    h.b.setValue(4);
    EXPECT_EQ(h.l->ReplaceAll(QStringLiteral("line"), QStringLiteral("row"), false, false, true), 3);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(h.subs.SubText(i).contains(QStringLiteral("row")), i >= 2 && i <= 4) << i;
    // Without the option, or with a one-row range, the whole list.
    EXPECT_EQ(h.l->ReplaceAll(QStringLiteral("row"), QStringLiteral("line"), false, false, false), 3);
    h.a.setValue(5);
    h.b.setValue(5);
    EXPECT_EQ(h.l->ReplaceAll(QStringLiteral("line"), QStringLiteral("row"), false, false, true), 8);
}

TEST(ListingBadRows, OneRecomputePerSelectionChange) {
    ListingHost h(10);
    // Rows 2 and 3 overlap, and 7 ends before it starts.
    h.subs.setSubTimeOut(2, h.subs.SubTimeIn(3) + 100);
    h.subs.setSubTimeOut(7, h.subs.SubTimeIn(7) - 1);
    h.subs.RaiseMajor();
    EXPECT_EQ(h.l->NextBad(), 2);
    h.sel.setValue(2);
    EXPECT_EQ(h.l->PrevBad(), -2);
    EXPECT_EQ(h.l->NextBad(), 3);
    // Leaving a bad row onto the next bad one: two reasons, one recompute.
    h.events.clear();
    h.sel.setValue(3);
    EXPECT_EQ(h.events.count(QStringLiteral("DeterminedInvalids")), 1);
    EXPECT_EQ(h.l->PrevBad(), 2);
    EXPECT_EQ(h.l->NextBad(), 7);
    // Within the bounds and off a good row nothing is recomputed.
    h.sel.setValue(5);
    h.events.clear();
    h.sel.setValue(6);
    EXPECT_EQ(h.events.count(QStringLiteral("DeterminedInvalids")), 0);
}

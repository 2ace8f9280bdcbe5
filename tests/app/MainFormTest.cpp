// The window's start-up state, menu and commands, driven as the framework would.

#include "FormFixture.h"

#include "AsNobody.h"
#include "UnixSocket.h"

#include <cmath>

#include "drawing/GlowText.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Lines = std::vector<std::string>;

TEST_F(FormFixture, StartsWithOneEmptyLinePerListAndEmptyPanes) {
    EXPECT_EQ(form.Caption(), "Dyadlist");
    EXPECT_EQ(form.IconSizes(), (std::vector<TSize>{{16, 16}, {32, 32}, {48, 48}}));
    for (TAdvMemo* memo : {&form.LeftList(), &form.RightList()}) {
        EXPECT_EQ(memo->Font().Name(), "COURIER NEW");
        EXPECT_TRUE(memo->DelErase());
        EXPECT_FALSE(memo->Kept().ScrollHint);
        EXPECT_EQ(memo->Kept().AutoCompletion.Font.Height(), -11);
        EXPECT_FALSE(memo->Loading());
    }
    EXPECT_EQ(form.ClientWidth(), 1000);
    EXPECT_EQ(form.ClientHeight(), 659);
    EXPECT_EQ(form.LeftList().Lines().Count(), 1);
    EXPECT_EQ(form.RightList().Lines().Count(), 1);
    EXPECT_EQ(form.MultipleHitsPane().EntryCount(), 0u);
    EXPECT_EQ(form.SingleHitsPane().EntryCount(), 0u);
    EXPECT_EQ(form.LeftCaption().Markup(), "<P align=\"left\">  left list:</P>");
    EXPECT_EQ(form.RightCaption().Markup(), "<P align=\"left\">  right list:</P>");
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "<P align=\"left\">  multiple hits:</P>");
    EXPECT_EQ(form.SingleHitsCaption().Markup(), "<P align=\"left\">  single hits:</P>");
    EXPECT_EQ(form.MultipleHitsCaption().Hint(), "Found this on both lists!");
}

TEST_F(FormFixture, ComponentsStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(form.LeftList().BoundsRect(), Bounds(0, 33, 500, 367));
    EXPECT_EQ(form.RightList().BoundsRect(), Bounds(500, 33, 500, 367));
    EXPECT_EQ(form.Panel5->BoundsRect(), Bounds(0, 400, 1000, 230));
    EXPECT_EQ(form.Panel4->BoundsRect(), Bounds(0, 630, 1000, 29));
    EXPECT_EQ(form.MultipleHitsPane().BoundsRect(), Bounds(1, 30, 500, 199));
    EXPECT_EQ(form.SingleHitsPane().BoundsRect(), Bounds(499, 30, 500, 199));
    EXPECT_EQ(form.MultipleHitsCaption().BoundsRect(), Bounds(1, 1, 500, 27));
    EXPECT_EQ(form.SingleHitsCaption().BoundsRect(), Bounds(497, 1, 500, 27));
    EXPECT_EQ(form.Panel3->BoundsRect(), Bounds(0, 0, 1000, 33));
    EXPECT_EQ(form.Panel1->BoundsRect(), Bounds(2, 2, 500, 29));
    EXPECT_EQ(form.Panel2->BoundsRect(), Bounds(498, 2, 500, 29));
    EXPECT_EQ(form.Panel6->BoundsRect(), Bounds(1, 1, 998, 29));
    EXPECT_EQ(form.LeftCaption().BoundsRect(), Bounds(1, 1, 240, 27));
    EXPECT_EQ(form.RightCaption().BoundsRect(), Bounds(1, 1, 320, 27));
    // The buttons' widths are their captions' (the next test), so they stand a few pixels
    // right of the stored 431, 369, 431, 362 and 940 with this desktop's Tahoma.
    EXPECT_EQ(form.MergeButton().Caption(), "Merge it!");
    EXPECT_EQ(form.ClearLeftButton().Caption(), "Clear Left");
    EXPECT_EQ(form.ClearRightButton().Caption(), "Clear Right");
}

// The whole job as a user does it: both lists loaded through the dialog by clicks on their
// buttons, then a click where "Merge it!" stands.
TEST_F(FormFixture, AClickOnMergeItAfterLoadingBothListsShowsTheHitsAndTheirCounts) {
    auto clickOn = [this](TControl& c) {
        const TPoint at = form.ScreenToClient(c.ClientToScreen({c.Width() / 2, c.Height() / 2}));
        form.PerformMouseClick(at.X, at.Y);
    };
    seam.openAnswers.push_back(File("a.txt", "pear\r\napple\r\nfig\r\n"));
    clickOn(form.LoadLeftButton());
    seam.openAnswers.push_back(File("b.txt", "apple\nkiwi\napple\n"));
    clickOn(form.LoadRightButton());
    EXPECT_EQ(form.LeftCaption().Markup(), "left list: 3");
    EXPECT_EQ(form.RightCaption().Markup(), "right list: 3");
    clickOn(form.MergeButton());
    EXPECT_EQ(Entries(form.MultipleHitsPane()), (Lines{"apple", "apple"}));
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"pear", "fig", "kiwi"}));
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "multiple hits: 2");
    EXPECT_EQ(form.SingleHitsCaption().Markup(), "single hits: 3");
    EXPECT_TRUE(seam.messageBoxes.empty());
}

// Each button is as wide as its caption plus 12 and as high as its row, packed to the right of
// its panel in creation order.
TEST_F(FormFixture, ButtonsSizeThemselvesToTheirCaptionsAtTheRightOfTheirPanels) {
    TBitmap scratch(1, 1);
    TGPGraphics g(scratch.Canvas());
    auto captionWidth = [&](const TAdvGlowButton& b) {
        std::u16string wide(b.Caption().begin(), b.Caption().end());
        const TRectF r = MeasureGdipText(g, wide, {.Font = &b.Font()}, {0, 0, 4096, 4096});
        return static_cast<int>(std::nearbyint(r.Width));
    };
    for (TAdvGlowButton* b : {&form.LoadLeftButton(), &form.LoadRightButton(), &form.MergeButton(),
                              &form.ClearLeftButton(), &form.ClearRightButton()}) {
        EXPECT_EQ(b->Width(), captionWidth(*b) + 12) << b->Caption();
        EXPECT_EQ(b->Top(), 1);
        EXPECT_EQ(b->Height(), 27);
        EXPECT_EQ(b->Position(), TButtonPosition::bpMiddle);
        EXPECT_EQ(b->Appearance().ColorMirrorHot(), 0xF5C8ADu);
    }
    EXPECT_EQ(form.LoadLeftButton().Left() + form.LoadLeftButton().Width(), 499);
    EXPECT_EQ(form.ClearLeftButton().Left() + form.ClearLeftButton().Width(),
              form.LoadLeftButton().Left());
    EXPECT_EQ(form.MergeButton().Left() + form.MergeButton().Width(), 999);
}

TEST_F(FormFixture, MenuTreeHasItsCaptionsInOrder) {
    TMenuItem& bar = form.MainMenu1->Items();
    ASSERT_EQ(bar.Count(), 2);
    EXPECT_EQ(bar.Item(0)->Caption(), "&file");
    EXPECT_EQ(bar.Item(1)->Caption(), "&help");
    Lines file, open, help;
    for (int i = 0; i < form.File1->Count(); ++i)
        file.push_back(form.File1->Item(i)->Caption());
    for (int i = 0; i < form.Open1->Count(); ++i)
        open.push_back(form.Open1->Item(i)->Caption());
    for (int i = 0; i < form.Help1->Count(); ++i)
        help.push_back(form.Help1->Item(i)->Caption());
    EXPECT_EQ(file, (Lines{"&new", "&open...", "-", "e&xit"}));
    EXPECT_EQ(open, (Lines{"left list", "right list"}));
    EXPECT_EQ(help, (Lines{"&how to use ?", "&about...", "-", "contact me"}));
    EXPECT_TRUE(form.N1->IsLine());
    EXPECT_TRUE(form.N2->IsLine());
}

TEST_F(FormFixture, LoadingAListShowsTheDialogAndTheCount) {
    LoadLeft("a\r\nb\r\nc\r\n");
    ASSERT_EQ(seam.openDialogs.size(), 1u);
    EXPECT_EQ(seam.openDialogs[0].title, "Load List 1");
    EXPECT_EQ(seam.openDialogs[0].filter, "*.*|*.*");
    EXPECT_EQ(seam.openDialogs[0].defaultExt, "*.*");
    EXPECT_EQ(form.LeftList().Lines().Count(), 3);
    EXPECT_EQ(form.LeftCaption().Markup(), "left list: 3");
    EXPECT_EQ(form.OpenDialog1->FileName(), "");

    LoadRight("x\r\n");
    EXPECT_EQ(seam.openDialogs[1].title, "Load List 2");
    EXPECT_EQ(form.RightCaption().Markup(), "right list: 1");
    EXPECT_EQ(form.LeftList().Lines().Count(), 3);
}

TEST_F(FormFixture, AnEmptyFileLoadsAsOneEmptyLine) {
    LoadLeft("");
    EXPECT_EQ(form.LeftList().Lines().Count(), 1);
    EXPECT_EQ(form.LeftCaption().Markup(), "left list: 1");
}

TEST_F(FormFixture, ACancelledLoadLeavesTheListEmpty) {
    LoadLeft("a\r\nb\r\n");
    seam.openAnswers.push_back(std::nullopt);
    form.LoadLeftButton().Click();
    EXPECT_EQ(form.LeftList().Lines().Count(), 0);
    EXPECT_EQ(form.LeftCaption().Markup(), "left list: 0");
}

TEST_F(FormFixture, NewAsksForBothListsInTurn) {
    form.New1->Click();
    ASSERT_EQ(seam.openDialogs.size(), 2u);
    EXPECT_EQ(seam.openDialogs[0].title, "Load List 1");
    EXPECT_EQ(seam.openDialogs[1].title, "Load List 2");
    EXPECT_EQ(form.LeftList().Lines().Count(), 0);
    EXPECT_EQ(form.RightList().Lines().Count(), 0);
    EXPECT_EQ(form.LeftCaption().Markup(), "left list: 0");
    EXPECT_EQ(form.RightCaption().Markup(), "right list: 0");
}

TEST_F(FormFixture, OpenMenuItemsLoadTheirOwnList) {
    seam.openAnswers.push_back(File("l.txt", "l1\r\nl2\r\n"));
    form.leftlist1->Click();
    seam.openAnswers.push_back(File("r.txt", "r1\r\n"));
    form.rightlist1->Click();
    EXPECT_EQ(seam.openDialogs.at(0).title, "Load List 1");
    EXPECT_EQ(seam.openDialogs.at(1).title, "Load List 2");
    EXPECT_EQ(form.LeftCaption().Markup(), "left list: 2");
    EXPECT_EQ(form.RightCaption().Markup(), "right list: 1");
}

TEST_F(FormFixture, ClearingAListKeepsItsCaption) {
    LoadLeft("a\r\nb\r\n");
    LoadRight("c\r\n");
    form.ClearLeftButton().Click();
    EXPECT_EQ(form.LeftList().Lines().Count(), 0);
    EXPECT_EQ(form.LeftCaption().Markup(), "left list: 2");
    form.ClearRightButton().Click();
    EXPECT_EQ(form.RightList().Lines().Count(), 0);
    EXPECT_EQ(form.RightCaption().Markup(), "right list: 1");
}

TEST_F(FormFixture, HelpItemsShowTheirMessages) {
    form.HowtoUseHelp1->Click();
    form.contactthep1->Click();
    form.About1->Click();
    ASSERT_EQ(seam.messageBoxes.size(), 3u);
    EXPECT_EQ(seam.messageBoxes[0].text,
              "Cmon how stupid are you?\r\nLoad Left, Load Right press merge!");
    EXPECT_EQ(seam.messageBoxes[1].text,
              "ok i thinked about that, and decide to dont implent this!");
    const std::string& about = seam.messageBoxes[2].text;
    EXPECT_NE(about.find("Dyadlist"), std::string::npos);
    EXPECT_NE(about.find("2005-2011"), std::string::npos);
    EXPECT_NE(about.find("\r\n"), std::string::npos);
    for (const auto& box : seam.messageBoxes) {
        EXPECT_EQ(box.caption, "Dyadlist");
        EXPECT_EQ(box.icon, TMsgIcon::None);
    }
}

// Files that cannot be read: the error box names the file and the system's reason; the list
// stays empty, its caption keeps its text, and the other list and the panes are untouched.
class UnreadableFile : public FormFixture {
protected:
    void SetUp() override {
        LoadLeft("keep\r\n");
        LoadRight("k\r\nkeep\r\n");
        form.MergeButton().Click();
        ASSERT_EQ(form.MultipleHitsPane().EntryCount(), 1u);
    }

    void ExpectLoadFails(const std::string& path, const std::string& reason) {
        seam.openAnswers.push_back(path);
        Application->Guard([&] { form.LoadRightButton().Click(); });
        ASSERT_FALSE(seam.messageBoxes.empty());
        const auto& box = seam.messageBoxes.back();
        EXPECT_EQ(box.text, "Cannot open file \"" + path + "\". " + reason);
        EXPECT_EQ(box.icon, TMsgIcon::Error);
        EXPECT_FALSE(box.busyCursor);
        EXPECT_EQ(form.RightList().Lines().Count(), 0);
        EXPECT_EQ(form.RightCaption().Markup(), "right list: 2");
        EXPECT_EQ(form.LeftList().Lines().Count(), 1);
        EXPECT_EQ(form.MultipleHitsPane().EntryCount(), 1u);
        EXPECT_EQ(form.SingleHitsPane().EntryCount(), 1u);
        EXPECT_EQ(form.OpenDialog1->FileName(), "");
    }
};

TEST_F(UnreadableFile, MissingOrVanishedFile) {
    ExpectLoadFails((dir / "vanished.txt").string(), "No such file or directory");
}

TEST_F(UnreadableFile, Folder) {
    ExpectLoadFails(dir.string(), "Is a directory");
}

TEST_F(UnreadableFile, FileWithoutReadPermission) {
    const std::string path = File("secret.txt", "x\r\n");
    chmod(path.c_str(), 0);
    chmod(dir.c_str(), 0755);
    if (geteuid() != 0) {
        ExpectLoadFails(path, "Permission denied");
        return;
    }
    // Root reads files whatever their permission bits: try as an ordinary user in a child.
    const NobodyRun run = RunAsNobody([&]() -> std::string {
        seam.openAnswers.push_back(path);
        Application->Guard([&] { form.LoadRightButton().Click(); });
        if (seam.messageBoxes.empty() || seam.messageBoxes.back().icon != TMsgIcon::Error)
            return "no error box";
        if (form.RightList().Lines().Count() != 0 ||
            form.RightCaption().Markup() != "right list: 2" || form.LeftList().Lines().Count() != 1)
            return "the lists changed";
        return seam.messageBoxes.back().text;
    });
    if (!run.becameNobody)
        GTEST_SKIP() << "running as root and unable to test as an ordinary user: " << run.output;
    EXPECT_EQ(run.output, "Cannot open file \"" + path + "\". Permission denied");
}

TEST_F(UnreadableFile, SpecialFilesSayWhatTheyAreWithoutBlocking) {
    // A FIFO nobody writes to, a device that never ends, a socket, a link to itself.
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ExpectLoadFails(fifo, "Not a regular file");
    ExpectLoadFails("/dev/zero", "Not a regular file");
    const std::string socketPath = (dir / "socket").string();
    const UnixSocket socket(socketPath);
    ASSERT_TRUE(socket.Bound());
    ExpectLoadFails(socketPath, "Not a regular file");
    const std::string loop = (dir / "loop").string();
    ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
    ExpectLoadFails(loop, "Too many levels of symbolic links");
}

TEST_F(UnreadableFile, ACancelAfterAFailureLoadsNothing) {
    ExpectLoadFails((dir / "gone.txt").string(), "No such file or directory");
    const std::size_t boxes = seam.messageBoxes.size();
    seam.openAnswers.push_back(std::nullopt);
    Application->Guard([&] { form.LoadRightButton().Click(); });
    EXPECT_EQ(seam.messageBoxes.size(), boxes);
    EXPECT_EQ(form.RightCaption().Markup(), "right list: 0");
}

TEST_F(FormFixture, BinaryFilesAndNulsLoadByTheLoadRules) {
    using namespace std::string_literals;
    LoadLeft("one\0two\r\nthree"s);
    EXPECT_EQ(form.LeftList().Lines().Count(), 1);
    EXPECT_EQ(form.LeftList().Lines().Get(0), "one");
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 131 + 7) % 256));
    LoadRight(binary);
    EXPECT_GT(form.RightList().Lines().Count(), 0);
    form.MergeButton().Click(); // compares without trouble
    EXPECT_GT(form.SingleHitsPane().EntryCount(), 0u);
}

TEST_F(FormFixture, MovingOverAResultPaneSelectsAllOfIt) {
    LoadLeft("a\r\nb\r\nc\r\n");
    LoadRight("b\r\nc\r\nd\r\n");
    form.MergeButton().Click();
    form.MultipleHitsPane().PerformMouseMove({}, 10, 10);
    EXPECT_EQ(form.MultipleHitsPane().SelText(), form.MultipleHitsPane().Text());
    EXPECT_EQ(form.MultipleHitsPane().SelText(), "b\nc");
    form.SingleHitsPane().PerformMouseMove({}, 5, 5);
    EXPECT_EQ(form.SingleHitsPane().SelText(), "a\nd");
}

TEST_F(FormFixture, ExitEndsTheApplication) {
    form.Exit1->Click();
    EXPECT_TRUE(Application->Terminated());
}

} // namespace

namespace {

// The window's editors show the active line's settings switched on, but no line ever becomes
// active there: no highlight and no arrow, wherever the caret goes.
TEST_F(FormFixture, EditorsNeverShowAnActiveLine) {
    LoadLeft("first\r\nsecond\r\nthird\r\n");
    TAdvMemo& memo = form.LeftList();
    memo.SetCaretY(1);
    memo.SetCaretY(2);
    EXPECT_EQ(memo.ActiveLine(), -1);
    TBitmap bitmap;
    memo.PaintTo(bitmap);
    int activeColours = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.Pixel(x, y);
            activeColours += c == clNavy || c == clYellow || c == clLime;
        }
    EXPECT_EQ(activeColours, 0);
    EXPECT_TRUE(memo.ActiveLineSettings().ShowActiveLine());
    EXPECT_TRUE(memo.ActiveLineSettings().ShowActiveLineIndicator());
    EXPECT_TRUE(memo.CodeFolding().Enabled());
    EXPECT_EQ(memo.TextArea().Left, 48); // no regions, so the fold column takes no room
}

} // namespace

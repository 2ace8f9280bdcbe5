// The editor model under random edits, against the plain model, with every editing switch, and
// with corrections made as words and lines end.

#include "tests/memo/RandomEdits.h"
#include "tests/memo/model/FixedChecker.h"
#include "tests/memo/model/ModelEditor.h"

namespace {

TEST(RandomEdit, EditsMatchThePlainModelAndUndoRestoresEveryText) {
    std::mt19937 random(20261208);
    TModelEditor memo;
    memo.Settings().AutoExpand = false;
    PlainModel model;
    RunRandomEdits(memo, random, 6000, &model);
}

// The main window's settings, and each editing switch flipped, on text holding characters of
// several bytes and bytes that are no UTF-8: undo-all and redo-all give back exact bytes.
struct EditSettings {
    const char* name;
    bool autoExpand = true;
    bool delErase = true;
    bool autoIndent = true;
    bool smartTabs = false;
    bool overwrite = false;
    bool corrections = false; // a memo checker and auto-correction entries that fire often
};

class RandomEditSettings : public testing::TestWithParam<EditSettings> {};

TEST_P(RandomEditSettings, UndoAllAndRedoAllGiveExactBytes) {
    const EditSettings& settings = GetParam();
    TFixedChecker checker;
    TModelEditor memo("caf\xE9 au lait\r\n  \xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xFF\r\n\r\n"
                      "    indented   \r\n\x80lone\xC3");
    TEditSettings& edit = memo.Settings();
    edit.AutoExpand = settings.autoExpand;
    edit.DelErase = settings.delErase;
    edit.AutoIndent = settings.autoIndent;
    edit.SmartTabs = settings.smartTabs;
    memo.Model().SetOverwriteMode(settings.overwrite);
    if (settings.corrections) {
        checker.Words = {{"a", "ba"}, {"b", ""}, {"x", "\xC3\xA9x"}, {"y", "y y"}};
        checker.LineFrom = "a ";
        checker.LineTo = "";
        memo.Model().SetMemoChecker(&checker);
        edit.AutoCorrect.OldValue = {"ba", "y", "\xC3\xA9", "x"};
        edit.AutoCorrect.NewValue = {"a", "yy", "\xC3", ""};
    }
    std::mt19937 random(std::hash<std::string>{}(settings.name) ^ 20261209u);
    RunRandomEdits(memo, random, 4000, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Settings, RandomEditSettings,
                         testing::Values(EditSettings{.name = "MainWindow"},
                                         EditSettings{.name = "NoAutoExpand", .autoExpand = false},
                                         EditSettings{.name = "NoDelErase", .delErase = false},
                                         EditSettings{.name = "NoAutoIndent", .autoIndent = false},
                                         EditSettings{.name = "SmartTabs", .smartTabs = true},
                                         EditSettings{.name = "Overwrite", .overwrite = true},
                                         EditSettings{.name = "Corrections", .corrections = true}),
                         [](const testing::TestParamInfo<EditSettings>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

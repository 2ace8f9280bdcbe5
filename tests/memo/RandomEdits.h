#pragma once
// Thousands of random keys and clipboard commands on random text, for the editor model and for
// the control (which takes clicks and drags too), against a plain model of the simple
// operations (a vector of lines and a caret). After every step the store keeps its rules and
// the caret and selection lie in the text; every few dozen steps undoing everything gives the
// text from before them back, and redoing everything the text after them.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "memo/model/EditorModel.h"
#include "memo/model/MemoEditing.h"
#include "platform/TextCodec.h"
#include "tests/memo/Keystrokes.h"

struct PlainModel {
    std::vector<std::string> lines{""};
    TPoint caret;
    bool overwrite = false;

    std::string& Line() { return lines[static_cast<std::size_t>(caret.Y)]; }
    int Length() { return static_cast<int>(Line().size()); }

    void Type(char c) {
        std::string& line = Line();
        if (caret.X > Length())
            line.resize(static_cast<std::size_t>(caret.X), ' ');
        if (overwrite && caret.X < Length())
            line[static_cast<std::size_t>(caret.X)] = c;
        else
            line.insert(static_cast<std::size_t>(caret.X), 1, c);
        ++caret.X;
    }
    void Enter() {
        const std::string line = Line();
        const auto length = static_cast<int>(line.size());
        const std::size_t lead = line.find_first_not_of(' ');
        const int indent = lead != std::string::npos
                               ? static_cast<int>(lead)
                               : std::max(0, std::min(std::max(length - 1, caret.X), length));
        const int split = std::min(caret.X, length);
        std::string tail = line.substr(static_cast<std::size_t>(split));
        tail.erase(tail.find_last_not_of(' ') + 1);
        tail.erase(0, std::min(tail.size(), tail.find_first_not_of(' ')));
        Line() = line.substr(0, static_cast<std::size_t>(split));
        lines.insert(lines.begin() + caret.Y + 1,
                     std::string(static_cast<std::size_t>(indent), ' ') + tail);
        caret = {indent, caret.Y + 1};
    }
    // One step is one character as the display decodes it.
    int CharStart(int x) {
        return static_cast<int>(DisplayCharStart(Line(), static_cast<std::size_t>(x)));
    }
    int CharLength(int x) {
        return static_cast<int>(DecodeDisplayChar(Line(), static_cast<std::size_t>(x)).length);
    }
    void Backspace() {
        if (caret.X > Length()) {
            caret.X = Length();
        } else if (caret.X > 0) {
            const int start = CharStart(caret.X - 1);
            Line().erase(static_cast<std::size_t>(start),
                         static_cast<std::size_t>(caret.X - start));
            caret.X = start;
        } else if (caret.Y > 0) {
            const std::string line = Line();
            lines.erase(lines.begin() + caret.Y);
            --caret.Y;
            caret.X = Length();
            Line() += line;
        }
    }
    void Delete() {
        if (caret.X < Length())
            Line().erase(static_cast<std::size_t>(caret.X),
                         static_cast<std::size_t>(CharLength(caret.X)));
        else if (caret.Y + 1 < static_cast<int>(lines.size())) {
            Line() += lines[static_cast<std::size_t>(caret.Y + 1)];
            lines.erase(lines.begin() + caret.Y + 1);
        }
    }
    void Arrow(int dx, int dy) {
        caret.Y = std::clamp(caret.Y + dy, 0, static_cast<int>(lines.size()) - 1);
        if (dx < 0 && caret.X == 0 && caret.Y > 0)
            caret = {static_cast<int>(lines[static_cast<std::size_t>(--caret.Y)].size()), caret.Y};
        else if (dx < 0 && caret.X > 0)
            caret.X = CharStart(std::min(caret.X, Length() + 1) - 1);
        else if (dx > 0)
            caret.X = caret.X < Length() ? caret.X + CharLength(caret.X) : Length();
    }
};

inline std::vector<std::string> LinesOf(const TAdvMemoStrings& store) {
    std::vector<std::string> lines;
    for (int i = 0; i < store.Count(); ++i)
        lines.emplace_back(store.Get(i));
    return lines;
}

inline void ExpectSound(const TEditorModel& model, int step) {
    const TAdvMemoStrings& lines = model.Lines();
    ASSERT_GT(lines.Count(), 0) << step;
    int longest = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Get(i);
        ASSERT_EQ(line.find_first_of("\r\n\t"), std::string_view::npos) << step;
        ASSERT_EQ(lines.LineLength(i), static_cast<int>(line.size())) << step;
        longest = std::max(longest, lines.LineLength(i));
    }
    ASSERT_EQ(lines.Document().LongestLine(), longest) << step;
    const TCaretState& s = model.Caret();
    ASSERT_TRUE(s.Caret.Y >= 0 && s.Caret.Y < lines.Count() && s.Caret.X >= 0) << step;
    // AutoExpand is off: the caret may stand beyond a line's end only after a vertical move.
    for (const TPoint p : {s.SelStart, s.SelEnd})
        ASSERT_TRUE(p.Y >= 0 && p.Y < lines.Count() && p.X >= 0) << step;
}

/// Runs `steps` random keys, clipboard commands and caret placements on `memo` (the control,
/// which takes clicks and drags too, or the model on its own). With a plain model, the simple
/// commands are checked against it after every step. Every 40 steps, undoing everything must
/// give the exact bytes from before them, and redoing everything the bytes after them.
template <class Editor>
void RunRandomEdits(Editor& memo, std::mt19937& random, int steps, PlainModel* model) {
    constexpr bool takesPointer = requires(Editor& e) { e.ClickAt(TPoint{}); };
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Letters, blanks, quotes, and the bytes of "é" typed one by one: typing a lone lead or a
    // lone continuation byte leaves bytes that are no UTF-8.
    const std::string alphabet = "ab  xy.\"'(\xC3\xA9";
    std::string before = memo.Text();
    std::string log; // what the steps since the last check did, for a failure's message
    for (int step = 0; step < steps; ++step) {
        bool modelled = model != nullptr;
        const bool selection = !memo.Model().SelectionEmpty();
        const int command = pick(24);
        switch (command) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4: {
            const char c =
                alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
            memo.Type(std::string(1, c));
            if (model)
                model->Type(c);
            break;
        }
        case 5:
            memo.Type("\n");
            if (model && !selection)
                model->Enter();
            modelled = modelled && !selection;
            break;
        case 6:
        case 7:
            memo.Key(VK_BACK);
            if (model)
                model->Backspace();
            break;
        case 8:
            memo.Key(VK_DELETE);
            if (model)
                model->Delete();
            break;
        case 9:
        case 10:
        case 11:
        case 12: {
            const int dx[] = {-1, 0, 1, 0}, dy[] = {0, -1, 0, 1}; // Left, Up, Right, Down
            const int d = pick(4);
            memo.Key(static_cast<std::uint16_t>(VK_LEFT + d));
            if (model)
                model->Arrow(dx[d], dy[d]);
            break;
        }
        case 13: {
            const std::uint16_t keys[] = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_HOME, VK_END};
            memo.Key(keys[pick(6)], {.Shift = true, .Ctrl = pick(3) == 0});
            modelled = false;
            break;
        }
        case 14:
            memo.CtrlKey(pick(2) ? 'Z' : 'Y');
            modelled = false;
            break;
        case 15:
            memo.Key(VK_BACK, kCtrl);
            modelled = false;
            break;
        case 16: {
            // Text from another program, or the editor's own cut or copy of its bytes.
            const std::string texts[] = {"p",      "q\r\nr",       "\r\n",
                                         "s\nt\r", "  u\r\n\r\nv", "\xC3\xA9\xE2\x82\xAC"};
            const int what = pick(8);
            if (what < 6)
                memo.ForeignClipboard(texts[what]);
            else
                memo.CtrlKey(what == 6 ? 'C' : 'X');
            memo.CtrlKey(pick(3) ? 'V' : 'X');
            modelled = false;
            break;
        }
        case 17: {
            const int line = pick(memo.Lines().Count() + 1), column = pick(12);
            if constexpr (takesPointer) {
                const TPoint at = memo.At(column, line, pick(memo.CharWidth()));
                if (pick(4) == 0)
                    memo.DoubleClick(at);
                else
                    memo.ClickAt(at, {.Shift = pick(3) == 0});
            } else {
                memo.Go(column, line); // a program places the caret, in virtual space too
            }
            modelled = false;
            break;
        }
        case 18: {
            if constexpr (takesPointer) {
                // A drag from inside the selection, moved or copied.
                const auto [first, last] = OrderedSelection(memo.Model().Caret());
                const int line = pick(memo.Lines().Count()), column = pick(10);
                if (first.Y == last.Y && last.X - first.X > 1) {
                    memo.Press(memo.At(first.X + 1, first.Y));
                    memo.Move(memo.At(first.X + 1, first.Y, 5));
                    memo.Move(memo.At(column, line));
                    memo.Release(memo.At(column, line), {.Ctrl = pick(2) == 0});
                }
            } else {
                // A selection set by a program, its ends beyond their lines' ends too.
                const int count = memo.Lines().Count();
                memo.Model().SetSelection({pick(12), pick(count)}, {pick(12), pick(count)});
            }
            modelled = false;
            break;
        }
        case 19:
            memo.Editing().DeleteLine();
            modelled = false;
            break;
        case 20:
            memo.Key(VK_INSERT);
            if (model)
                model->overwrite = memo.Model().Caret().OverwriteMode;
            break;
        case 21:
            memo.Key(VK_HOME);
            if (model)
                model->caret.X = 0;
            break;
        case 22:
            memo.Key(VK_END);
            if (model)
                model->caret.X = static_cast<int>(model->Line().find_last_not_of(' ') + 1);
            break;
        default:
            memo.Key(VK_TAB, pick(2) ? TShiftState{} : kShift);
            modelled = false;
            break;
        }
        log += std::to_string(command) + " -> [" + memo.Text() + "] caret " +
               std::to_string(memo.Model().CaretX()) + "," + std::to_string(memo.Model().CaretY()) + "\n";
        ExpectSound(memo.Model(), step);
        if (testing::Test::HasFatalFailure())
            return;
        if (modelled) {
            ASSERT_EQ(LinesOf(memo.Lines()), model->lines) << "step " << step << " command " << command;
            ASSERT_EQ(memo.Model().Caret().Caret, model->caret)
                << "step " << step << " command " << command << " [" << memo.Text() << "]";
        } else if (model) {
            model->lines = LinesOf(memo.Lines());
            model->caret = memo.Model().Caret().Caret;
            model->overwrite = memo.Model().Caret().OverwriteMode;
        }
        if (step % 40 == 39) {
            TMemoEditing& editing = memo.Editing();
            while (editing.UndoList().CanRedo())
                editing.Redo();
            const std::string after = memo.Text();
            while (editing.UndoList().CanUndo())
                editing.Undo();
            ASSERT_EQ(memo.Text(), before) << "step " << step << "\n" << log;
            while (editing.UndoList().CanRedo())
                editing.Redo();
            ASSERT_EQ(memo.Text(), after) << "step " << step << "\n" << log;
            editing.ClearUndo();
            memo.Model().SetOverwriteMode(false);
            memo.Go(0, 0);
            if (model)
                *model = {LinesOf(memo.Lines()), {0, 0}, false};
            before = after;
            log.clear();
        }
    }
}


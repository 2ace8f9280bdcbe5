// The control under random keys, clicks, drags and the platform's clipboard, with the main
// window's settings: undo-all and redo-all give back exact bytes.

#include "tests/memo/MemoInput.h"
#include "tests/memo/RandomEdits.h"

namespace {

TEST(RandomEdit, KeysClicksAndDragsUndoToTheExactBytes) {
    TInputMemo memo("caf\xE9 au lait\r\n  \xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xFF\r\n\r\n"
                    "    indented   \r\n\x80lone\xC3");
    memo.SetDelErase(true);
    std::mt19937 random(20261209u);
    RunRandomEdits(memo, random, 4000, nullptr);
}

} // namespace

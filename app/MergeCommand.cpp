// "Merge it!": compares the left and the right list and fills the two result panes.

#include <memory>
#include <optional>
#include <string_view>

#include "app/MainForm.h"
#include "core/ListComparison.h"
#include "core/TextDocument.h"
#include "platform/BusyWork.h"

namespace {

std::string LimitMessage(std::uint64_t count) {
    return "The lists give " + std::to_string(count) + " multiple hits, more than the " +
           std::to_string(TForm1::kMultipleHitLimit) + " this window can show.\r\n" +
           "Compare them with dyadlist-compare instead.";
}

/// The entries `visitAll` visits, gathered for a pane; `count` of them are coming.
template <class VisitAll>
core::TextDocument::SplitText Gather(std::uint64_t count, VisitAll&& visitAll) {
    core::TextDocument::SplitText entries;
    entries.Reserve(count, 0);
    visitAll([&](std::string_view line) { entries.Append(line); });
    return entries;
}

} // namespace

// The comparison and the walks that gather the entries only read the two editors' documents,
// so they run off the main thread (BusyWork) while the window repaints; the panes and
// captions change here, between them, in the order of the steps, each taking its gathered
// entries in one step.
void TForm1::AdvGlowButton3Click(TObject*) {
    // 1. Both panes start empty.
    Memo1->Clear();
    Memo2->Clear();

    // 2.-5. Identical lists, or a list without lines, give nothing to compare.
    const core::DocumentLines left(AdvMemo1->Lines().Document());
    const core::DocumentLines right(AdvMemo2->Lines().Document());
    std::optional<TBusyCursor> busy(std::in_place);
    core::TextDocument::SplitText multipleHits;
    const auto comparison = BusyWork([&] {
        auto compared = std::make_unique<const core::ListComparison>(left, right);
        if (compared->Compares() && compared->MultipleHitCount() <= kMultipleHitLimit) {
            multipleHits = Gather(compared->MultipleHitCount(),
                                  [&](auto add) { compared->ForEachMultipleHit(add); });
        }
        return compared;
    });
    if (!comparison->Compares()) {
        busy.reset();
        ShowMessage(std::string(core::kIdenticalListsMessage));
        return;
    }
    // A line found a times on one list and b times on the other gives a x b entries; past the
    // limit the panes are left empty and the captions as they were.
    if (comparison->MultipleHitCount() > kMultipleHitLimit) {
        busy.reset();
        ShowMessage(LimitMessage(comparison->MultipleHitCount()));
        return;
    }

    // 6. Multiple hits, in the order of the longer list.
    Memo1->SetEntries(std::move(multipleHits));

    // 7. Single hits: the left list's, then the right list's.
    Memo2->SetEntries(BusyWork([&] {
        return Gather(comparison->SingleHitCount(),
                      [&](auto add) { comparison->ForEachSingleHit(add); });
    }));

    // 8. The counts.
    AdvReflectionLabel3->SetHTMLText("multiple hits: " + std::to_string(Memo1->EntryCount()));
    AdvReflectionLabel4->SetHTMLText("single hits: " + std::to_string(Memo2->EntryCount()));
}

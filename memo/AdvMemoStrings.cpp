#include "memo/AdvMemoStrings.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>

#include "core/FileBytes.h"
#include "core/LineText.h"
#include "memo/AdvMemo.h"
#include "platform/SysUtils.h"

TAdvMemoStrings::TAdvMemoStrings(TAdvCustomMemo* owner) : owner_(owner) {}

TAdvMemoStrings::~TAdvMemoStrings() = default;

std::string TAdvMemoStrings::ExpandTabs(std::string_view s) const {
    if (s.find('\t') == std::string_view::npos)
        return std::string(s);
    return core::ReplaceTabs(s, owner_->TabSize());
}

void TAdvMemoStrings::Put(int index, std::string_view s) {
    if (!owner_) {
        TStringList::Put(index, s);
        return;
    }
    CheckIndex(index);
    std::string line = ExpandTabs(s);
    if (index > owner_->TopLine())
        owner_->DiscardScanCache();
    const auto length = static_cast<std::int32_t>(line.size());
    if (lengths_.size() <= static_cast<std::size_t>(index))
        lengths_.push_back(length);
    else
        lengths_[static_cast<std::size_t>(index)] = length;
    TStringList::Put(index, line);
}

int TAdvMemoStrings::Add(std::string_view s) {
    if (!owner_)
        return TStringList::Add(s);
    // Tabs out, LFs out, then one line per CR-separated part.
    std::string text = ExpandTabs(s);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    std::string_view rest = text;
    for (std::size_t cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r')) {
        AddObject(rest.substr(0, cr), nullptr);
        rest.remove_prefix(cr + 1);
    }
    return AddObject(rest, nullptr);
}

int TAdvMemoStrings::AddObject(std::string_view s, TObject* object) {
    if (!owner_)
        return TStringList::AddObject(s, object);
    TObject* slot = object;
    if (!noRecord_) {
        TLineProp& record = records_.emplace_back();
        record.UserObject = object;
        slot = &record;
    }
    lengths_.push_back(static_cast<std::int32_t>(s.size()));
    return TStringList::AddObject(s, slot);
}

void TAdvMemoStrings::Insert(int index, std::string_view s) {
    if (!owner_) {
        TStringList::Insert(index, s);
        return;
    }
    if (index < 0 || index > Count())
        throw EStringListError(index);
    owner_->ResetSelection();
    std::string line = ExpandTabs(s);
    if (index > owner_->TopLine())
        owner_->DiscardScanCache();
    lengths_.insert(lengths_.begin() + std::min<std::ptrdiff_t>(index, std::ssize(lengths_)),
                    static_cast<std::int32_t>(line.size()));
    owner_->ShiftBookmarks(index, 1);
    TStringList::Insert(index, line);
    owner_->SetCaretX(owner_->CaretX());
    owner_->SetCaretY(owner_->CaretY());
    owner_->Invalidate();
}

void TAdvMemoStrings::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    if (!owner_) {
        TStringList::Delete(index);
        return;
    }
    if (deleting_) {
        RemoveLine(index);
        return;
    }
    // Folding regions come with a styler; none is attached yet, so no region bookkeeping.
    if (index > owner_->TopLine())
        owner_->DiscardScanCache();
    deleting_ = true;
    const int caretX = owner_->CaretX();
    const int caretY = owner_->CaretY();
    const int count = Count();
    owner_->SetCaretY(index);
    owner_->DeleteLine();
    owner_->RestoreCaret(count == 1 ? 0 : caretX, index < caretY ? caretY - 1 : caretY);
    deleting_ = false;
}

void TAdvMemoStrings::RemoveLine(int index) {
    if (index < 0 || index >= Count())
        return;
    if (static_cast<std::size_t>(index) < lengths_.size())
        lengths_.erase(lengths_.begin() + index);
    TStringList::Delete(index);
}

void TAdvMemoStrings::Clear() {
    if (!owner_) {
        TStringList::Clear();
        return;
    }
    owner_->SetSelection({0, 0}, {0, 0});
    owner_->SetCaretY(0);
    owner_->SetCaretX(0);
    owner_->Invalidate();
    records_.clear();
    lengths_.clear();
    TStringList::Clear();
}

void TAdvMemoStrings::ClearStore() {
    records_.clear();
    lengths_.clear();
    ClearItems();
    Changed();
}

TObject* TAdvMemoStrings::GetObject(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    TObject* slot = TStringList::GetObject(index);
    if (auto* record = dynamic_cast<TLineProp*>(slot))
        return record->UserObject;
    return slot;
}

void TAdvMemoStrings::PutObject(int index, TObject* object) {
    if (index < 0 || index >= Count())
        return;
    if (auto* record = dynamic_cast<TLineProp*>(TStringList::GetObject(index)))
        record->UserObject = object;
    else
        TStringList::PutObject(index, object);
}

TLineProp* TAdvMemoStrings::LineProp(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return dynamic_cast<TLineProp*>(TStringList::GetObject(index));
}

std::vector<std::string_view> TAdvMemoStrings::Views() const {
    std::vector<std::string_view> views;
    views.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        views.push_back(ItemAt(i).text);
    return views;
}

void TAdvMemoStrings::RebuildLengths() {
    lengths_.clear();
    lengths_.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        lengths_.push_back(static_cast<std::int32_t>(ItemAt(i).text.size()));
}

void TAdvMemoStrings::AddStrings(const TStrings& list) {
    if (!owner_) {
        TStringList::AddStrings(list);
        return;
    }
    for (int i = 0; i < list.Count(); ++i)
        AddObject(list.Get(i), list.GetObject(i));
    RebuildLengths();
    if (lockCount_ == 0)
        owner_->Invalidate();
}

void TAdvMemoStrings::Assign(const TStrings& list) {
    if (!owner_) {
        TStringList::Assign(list);
        return;
    }
    // Folding is not switched on in this editor yet, so there is nothing to switch off around
    // the replacement.
    owner_->Clear();
    owner_->DiscardScanCache();
    owner_->SetLines(list);
    RebuildLengths();
    int longest = 0;
    for (std::int32_t length : lengths_)
        longest = std::max(longest, static_cast<int>(length));
    owner_->SetLongestLine(longest);
    owner_->UpdateScrollBars();
    owner_->Invalidate();
}

void TAdvMemoStrings::SetText(std::string_view text) {
    if (!owner_) {
        TStringList::SetText(text);
        return;
    }
    // One change for the whole text: a change per line would refresh the view once per line.
    BeginUpdate();
    Clear();
    core::ForEachLine(text, [this](std::string_view line) { Add(line); });
    EndUpdate();
    Changed();
}

void TAdvMemoStrings::SetUpdateState(bool updating) {
    if (updating)
        ++lockCount_;
    else if (lockCount_ > 0)
        --lockCount_;
}

void TAdvMemoStrings::LoadFromFile(const std::string& fileName) {
    if (!owner_) {
        TStringList::LoadFromFile(fileName);
        return;
    }
    // The file is read before anything changes, so a file that cannot be read leaves the
    // store, caret and view exactly as they were.
    std::string bytes = core::ReadFileBytes(fileName);
    try {
        LoadBytes(bytes);
    } catch (const std::bad_alloc&) {
        throw core::FileOpenError(fileName, std::generic_category().message(ENOMEM));
    }
}

void TAdvMemoStrings::LoadFromStream(TStream& stream) {
    if (!owner_) {
        TStringList::LoadFromStream(stream);
        return;
    }
    LoadBytes(stream.ReadToEnd());
}

// A load, once the bytes are in memory. Running out of memory half way leaves an empty store
// rather than a silently cut list, and the editor connected again.
void TAdvMemoStrings::LoadBytes(const std::string& bytes) {
    owner_->ResetSelection();
    owner_->ClearUndo();
    owner_->SetCaretX(0);
    owner_->SetCaretY(0);
    owner_->SetRefreshOn(false);
    owner_->AttachChangeCallback(false);
    try {
        ReplaceLines(bytes);
    } catch (...) {
        while (UpdateCount() > 0)
            EndUpdate();
        ClearStore();
        owner_->AttachChangeCallback(true);
        owner_->SetRefreshOn(true);
        owner_->RefreshStep();
        throw;
    }
    owner_->AttachChangeCallback(true);
    owner_->SetRefreshOn(true);
    owner_->RefreshStep();
    owner_->TextLoaded();
    owner_->Repaint();
}

void TAdvMemoStrings::ReplaceLines(const std::string& bytes) {
    // Replace the lines, inside an update bracket so the editor never paints a half-loaded
    // text. Room for every line is made first: a million lines load without regrowing.
    BeginUpdate();
    Clear();
    const std::string_view text = core::TextBeforeNul(bytes);
    const std::size_t breaks = static_cast<std::size_t>(std::max(
        std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r')));
    Reserve(breaks + 1);
    lengths_.reserve(breaks + 1);
    core::ForEachLine(text, [this](std::string_view line) { Add(line); });
    EndUpdate();

    owner_->DiscardScanCache();
    owner_->SetCaretX(0);
    owner_->SetCaretY(0);

    // Any tab left over becomes spaces; the longest line comes from the same pass.
    int longest = 0;
    for (int i = 0; i < Count(); ++i) {
        std::string& line = ItemAt(i).text;
        if (line.find('\t') != std::string::npos) {
            line = core::ReplaceTabs(line, owner_->TabSize());
            lengths_[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(line.size());
        }
        longest = std::max(longest, static_cast<int>(line.size()));
    }
    owner_->SetLongestLine(longest);
}

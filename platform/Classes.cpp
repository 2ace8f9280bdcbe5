#include "platform/Classes.h"

#include <algorithm>
#include <cstring>

#include "core/FileBytes.h"
#include "core/LineText.h"
#include "platform/SysUtils.h"

std::string TStream::ReadToEnd() {
    std::string bytes;
    char buffer[65536];
    while (const std::size_t got = Read(buffer, sizeof buffer))
        bytes.append(buffer, got);
    return bytes;
}

std::size_t TStringStream::Read(char* buffer, std::size_t count) {
    const std::size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

void TStrings::AddStrings(const TStrings& list) {
    // The count is taken first and each line copied, so a list can be added to itself.
    const int count = list.Count();
    BeginUpdate();
    for (int i = 0; i < count; ++i)
        AddObject(std::string(list.Get(i)), list.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& list) {
    if (&list == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(list);
    EndUpdate();
}

std::string TStrings::Text() const {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        lines.push_back(Get(i));
    return core::JoinedText(lines);
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    core::ForEachLine(text, [this](std::string_view line) { Add(line); });
    EndUpdate();
}

void TStrings::LoadFromFile(const std::string& fileName) {
    SetText(core::ReadFileText(fileName));
}

void TStrings::LoadFromStream(TStream& stream) {
    SetText(stream.ReadToEnd());
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0)
        SetUpdateState(false);
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError(index);
}

std::string_view TStringList::Get(int index) const {
    CheckIndex(index);
    return ItemAt(index).text;
}

void TStringList::Put(int index, std::string_view s) {
    CheckIndex(index);
    ItemAt(index).text.assign(s);
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return ItemAt(index).object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    ItemAt(index).object = object;
    Changed();
}

int TStringList::AddObject(std::string_view s, TObject* object) {
    const int index = Count();
    InsertItem(index, s, object);
    Changed();
    return index;
}

void TStringList::Insert(int index, std::string_view s) {
    if (index < 0 || index > Count())
        throw EStringListError(index);
    InsertItem(index, s, nullptr);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    RemoveItem(index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty())
        return;
    ClearItems();
    Changed();
}

void TStringList::InsertItem(int index, std::string_view s, TObject* object) {
    items_.insert(items_.begin() + index, Item{std::string(s), object});
}

void TStringList::RemoveItem(int index) {
    items_.erase(items_.begin() + index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (!updating && OnChange)
        OnChange(this);
}

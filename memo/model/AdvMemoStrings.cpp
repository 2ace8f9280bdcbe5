#include "memo/model/AdvMemoStrings.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>

#include "core/FileBytes.h"
#include "core/LineText.h"
#include "platform/SysUtils.h"

TAdvMemoStrings::TAdvMemoStrings(bool editorStore) : editorStore_(editorStore) {}

TAdvMemoStrings::~TAdvMemoStrings() = default;

void TAdvMemoStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError(index);
}

std::string_view TAdvMemoStrings::Get(int index) const {
    CheckIndex(index);
    return document_.Line(index);
}

std::string TAdvMemoStrings::EditorLine(std::string_view s) const {
    if (!editorStore_ || s.find('\t') == std::string_view::npos)
        return std::string(s);
    return core::ReplaceTabs(s, tabSize_);
}

void TAdvMemoStrings::Added(int first, int count, TObject* object) {
    if (editorStore_ && !noRecord_)
        records_.GiveRecords(first, count, object);
    else if (object)
        records_.SetObject(first, object);
}

void TAdvMemoStrings::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TAdvMemoStrings::Put(int index, std::string_view s) {
    CheckIndex(index);
    document_.ReplaceLine(index, EditorLine(s));
    Changed();
}

int TAdvMemoStrings::Add(std::string_view s) {
    if (!editorStore_)
        return AddObject(s, nullptr);
    // Tabs out, LFs out, then one line per CR-separated part.
    std::string text = EditorLine(s);
    std::erase(text, '\n');
    std::vector<std::string_view> parts;
    std::string_view rest = text;
    for (std::size_t cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r')) {
        parts.push_back(rest.substr(0, cr));
        rest.remove_prefix(cr + 1);
    }
    parts.push_back(rest);
    const int first = Count();
    document_.InsertLines(first, parts);
    Added(first, static_cast<int>(parts.size()));
    Changed();
    return Count() - 1;
}

int TAdvMemoStrings::AddObject(std::string_view s, TObject* object) {
    const int index = Count();
    document_.InsertLine(index, s);
    Added(index, 1, object);
    Changed();
    return index;
}

void TAdvMemoStrings::Insert(int index, std::string_view s) {
    if (index < 0 || index > Count())
        throw EStringListError(index);
    document_.InsertLine(index, EditorLine(s)); // an inserted line carries no record
    Changed();
}

void TAdvMemoStrings::InsertWithRecords(int index, std::span<const std::string_view> lines) {
    if (index < 0 || index > Count())
        throw EStringListError(index);
    document_.InsertLines(index, lines);
    Added(index, static_cast<int>(lines.size()));
    Changed();
}

void TAdvMemoStrings::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    if (OnDeleteLine)
        OnDeleteLine(index);
    else
        RemoveLine(index);
}

void TAdvMemoStrings::RemoveLine(int index) {
    if (index < 0 || index >= Count())
        return;
    // An editor always keeps a line: its only line is emptied instead.
    if (editorStore_ && Count() == 1)
        document_.ReplaceLine(0, "");
    else
        document_.DeleteLines(index, 1);
    Changed();
}

void TAdvMemoStrings::Clear() {
    if (OnCleared)
        OnCleared();
    ClearStore();
}

void TAdvMemoStrings::ClearStore() {
    document_.ReplaceAll({}, {});
    Changed();
}

void TAdvMemoStrings::AddStrings(const TStrings& list) {
    if (!editorStore_) {
        TStrings::AddStrings(list);
        return;
    }
    // Every line as it is, with its object; the count is taken first, so a store can add
    // itself (the document copies lines it is handed from its own buffers).
    const int count = list.Count();
    std::vector<std::string_view> lines;
    std::vector<TObject*> objects;
    lines.reserve(static_cast<std::size_t>(count));
    objects.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines.push_back(list.Get(i));
        objects.push_back(list.GetObject(i));
    }
    const int first = Count();
    document_.InsertLines(first, lines);
    for (int i = 0; i < count; ++i)
        Added(first + i, 1, objects[static_cast<std::size_t>(i)]);
    Changed();
}

void TAdvMemoStrings::Assign(const TStrings& list) {
    if (&list == this)
        return;
    if (!editorStore_) {
        TStrings::Assign(list);
        return;
    }
    // One replacement of the whole text; trimmed lines have their tabs replaced too.
    std::vector<std::string> trimmed;
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(list.Count()));
    if (trimOnAssign_)
        trimmed.reserve(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        std::string_view line = list.Get(i);
        if (trimOnAssign_) {
            const std::size_t keep = line.find_last_not_of(' ');
            trimmed.push_back(
                EditorLine(line.substr(0, keep == std::string_view::npos ? 0 : keep + 1)));
            line = trimmed.back();
        }
        lines.push_back(line);
    }
    document_.ReplaceAll({}, lines);
    for (int i = 0; i < list.Count(); ++i)
        Added(i, 1, list.GetObject(i));
    Changed();
}

void TAdvMemoStrings::SetText(std::string_view text) {
    // The text's own breaks split it; an editor's store then replaces tabs and, since no CR
    // is left, Add's splitting has nothing more to do.
    document_.Load(std::string(text), {editorStore_ ? tabSize_ : -1, false});
    Added(0, Count());
    Changed();
}

void TAdvMemoStrings::LoadFromFile(const std::string& fileName) {
    if (!editorStore_) {
        TStrings::LoadFromFile(fileName);
        return;
    }
    LoadText(ReadFile(fileName), fileName);
}

namespace {

core::FileOpenError OutOfMemory(const std::string& fileName) {
    return core::FileOpenError(fileName, std::generic_category().message(ENOMEM));
}

} // namespace

// The file is read and split before anything changes, so a file that cannot be read leaves
// the store exactly as it was.
core::TextDocument::SplitText TAdvMemoStrings::ReadFile(const std::string& fileName) const {
    std::string bytes = core::ReadFileText(fileName);
    try {
        return core::TextDocument::Split(std::move(bytes), {tabSize_, true});
    } catch (const std::bad_alloc&) {
        throw OutOfMemory(fileName);
    }
}

void TAdvMemoStrings::LoadText(core::TextDocument::SplitText&& text, const std::string& fileName) {
    try {
        TakeText(std::move(text));
    } catch (const std::bad_alloc&) {
        throw OutOfMemory(fileName);
    }
}

void TAdvMemoStrings::LoadFromStream(TStream& stream) {
    if (!editorStore_) {
        TStrings::LoadFromStream(stream);
        return;
    }
    LoadBytes(stream.ReadToEnd());
}

// A load, once the bytes are in memory: one replacement of the whole text, so the editor
// never sees a half-loaded text; an empty text gives the editor its one empty line.
void TAdvMemoStrings::LoadBytes(std::string bytes) {
    TakeText(core::TextDocument::Split(std::move(bytes), {tabSize_, true}));
}

void TAdvMemoStrings::TakeText(core::TextDocument::SplitText&& text) {
    document_.Load(std::move(text));
    Added(0, Count());
    if (OnLoad)
        OnLoad(this);
    Changed();
}

void TAdvMemoStrings::SaveToFile(const std::string& fileName) {
    if (editorStore_) {
        BeginUpdate();
        for (int i = 0; i < Count(); ++i) {
            const std::string_view line = Get(i);
            std::size_t keep = line.size();
            while (keep > 0 && static_cast<unsigned char>(line[keep - 1]) <= 32)
                --keep;
            if (keep < line.size())
                Put(i, std::string(line.substr(0, keep)));
        }
        EndUpdate();
    }
    core::WriteFileBytes(fileName, Text());
}

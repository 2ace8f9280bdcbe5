#pragma once
// String lists and streams: plain C++ with the framework's semantics. An unsorted,
// duplicate-permitting list of 8-bit strings, each with one object slot (not owned), update
// brackets and a change callback.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

class TStream : public TObject {
public:
    /// Reads up to `count` bytes at the current position; returns how many were read.
    virtual std::size_t Read(char* buffer, std::size_t count) = 0;
    /// Everything from the current position to the end.
    std::string ReadToEnd();
};

/// A stream over bytes held in memory.
class TStringStream : public TStream {
public:
    explicit TStringStream(std::string data) : data_(std::move(data)) {}
    std::size_t Read(char* buffer, std::size_t count) override;
    std::size_t Position() const { return position_; }
    void SetPosition(std::size_t position) { position_ = std::min(position, data_.size()); }
    const std::string& DataString() const { return data_; }

private:
    std::string data_;
    std::size_t position_ = 0;
};

class TStrings : public TObject {
public:
    virtual int Count() const = 0;
    /// Line `index`; outside 0..Count()-1 raises EStringListError.
    virtual std::string_view Get(int index) const = 0;
    virtual void Put(int index, std::string_view s) = 0;
    virtual TObject* GetObject(int index) const = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    virtual int Add(std::string_view s) { return AddObject(s, nullptr); }
    virtual int AddObject(std::string_view s, TObject* object) = 0;
    virtual void Insert(int index, std::string_view s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    /// Appends every line of `list` with its object.
    virtual void AddStrings(const TStrings& list);
    /// Replaces the lines by those of `list`.
    virtual void Assign(const TStrings& list);
    /// Every line followed by CR LF.
    virtual std::string Text() const;
    /// Clear, then one line per CR, LF or CR LF break (the first NUL ends the text).
    virtual void SetText(std::string_view text);
    virtual void LoadFromFile(const std::string& fileName);
    virtual void LoadFromStream(TStream& stream);
    virtual void BeginUpdate();
    virtual void EndUpdate();

    int UpdateCount() const { return updateCount_; }
    std::string_view operator[](int index) const { return Get(index); }

protected:
    /// Runs when the outermost update bracket opens or closes.
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string_view Get(int index) const override;
    void Put(int index, std::string_view s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    int AddObject(std::string_view s, TObject* object) override;
    void Insert(int index, std::string_view s) override;
    void Delete(int index) override;
    void Clear() override;

    /// Room for `count` lines without reallocating.
    void Reserve(std::size_t count) { items_.reserve(count); }

    /// Called after every change made outside an update bracket, and when a bracket closes.
    TNotifyEvent OnChange;

protected:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };

    void InsertItem(int index, std::string_view s, TObject* object);
    void RemoveItem(int index);
    void ClearItems() { items_.clear(); }
    Item& ItemAt(int index) { return items_[static_cast<std::size_t>(index)]; }
    const Item& ItemAt(int index) const { return items_[static_cast<std::size_t>(index)]; }
    void CheckIndex(int index) const;
    /// Fires OnChange unless an update bracket is open.
    void Changed();
    /// Closing the outermost update bracket fires OnChange once for all it held.
    void SetUpdateState(bool updating) override;

private:
    std::vector<Item> items_;
};

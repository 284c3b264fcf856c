#pragma once
// The files waiting to be shredded, in the order they were added. The page, the console and the
// shred run share one list: a hand-off may add a row while a run removes the rows it finished.
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scw {

struct ShredRow {
    std::wstring name;    // the text after the last backslash
    std::wstring folder;  // up to and including the last backslash
    std::uint64_t size = 0;
    std::wstring FullPath() const { return folder + name; }
    bool SameFile(const ShredRow& other) const { return name == other.name && folder == other.folder; }
};

class ShredList {
public:
    // False when a row with the same name and folder (exact text) is listed already.
    bool Append(ShredRow row);
    bool Contains(const std::wstring& name, const std::wstring& folder) const;
    size_t Size() const;
    std::optional<ShredRow> At(size_t index) const;
    std::vector<ShredRow> Rows() const;
    // Removes the row of that file, wherever it is now.
    bool Remove(const ShredRow& row);
    // Removes the rows at these positions (any order, repeats allowed).
    void RemoveAt(std::vector<size_t> indices);
    // Empties the list and forgets what was passed over.
    void Clear();
    void Rename(const ShredRow& row, const std::wstring& newName);

    // A file an Add passed over without listing it (its full path too long), with the reason: the
    // next run reports it, so the user hears of what stays on the disk.
    void AddPassedOver(std::wstring path, std::wstring reason);
    std::vector<std::pair<std::wstring, std::wstring>> PassedOver() const;
    std::vector<std::pair<std::wstring, std::wstring>> TakePassedOver();

private:
    mutable std::mutex lock_;
    std::vector<ShredRow> rows_;
    std::vector<std::pair<std::wstring, std::wstring>> passedOver_;
};

// Splits a full path at its last backslash into a row (size 0).
ShredRow RowOfPath(const std::wstring& fullPath);

}  // namespace scw

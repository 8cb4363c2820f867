// The keyed default order and the net effect of the change log.
#include "data/table/RecordTableImpl.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace {

int CompareValues(const TValue& a, const TValue& b, const TRegionalSettings& settings) {
    if (a.index() != b.index())
        return a.index() < b.index() ? -1 : 1; // empty first
    auto threeWay = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (a.index()) {
    case 1:
        return threeWay(std::get<std::int32_t>(a), std::get<std::int32_t>(b));
    case 2:
        return settings.Compare(std::get<std::string>(a), std::get<std::string>(b));
    case 3:
        return threeWay(std::get<bool>(a), std::get<bool>(b));
    case 4:
        return threeWay(std::get<TDateValue>(a).Day, std::get<TDateValue>(b).Day);
    default:
        return 0;
    }
}

} // namespace

int TRecordTable::TImpl::CompareKeys(const std::vector<TValue>& a,
                                     const std::vector<TValue>& b) const {
    for (int c : KeyColumns) {
        const int result = CompareValues(a[c], b[c], Settings);
        if (result != 0)
            return result;
    }
    return 0;
}

int TRecordTable::TImpl::SortedPosition(const std::vector<TValue>& values) const {
    const auto it = std::upper_bound(Order.begin(), Order.end(), values,
                                     [this](const std::vector<TValue>& v, std::int32_t row) {
                                         return CompareKeys(v, KeyValues(row)) < 0;
                                     });
    return static_cast<int>(it - Order.begin());
}

bool TRecordTable::TImpl::KeyClash(const std::vector<TValue>& values, std::int32_t except) const {
    auto it = std::lower_bound(Order.begin(), Order.end(), values,
                               [this](std::int32_t row, const std::vector<TValue>& v) {
                                   return CompareKeys(KeyValues(row), v) < 0;
                               });
    for (; it != Order.end() && CompareKeys(KeyValues(*it), values) == 0; ++it)
        if (*it != except)
            return true;
    return false;
}

void TRecordTable::TImpl::SortOrder() {
    std::vector<std::pair<std::vector<TValue>, std::int32_t>> keyed;
    keyed.reserve(Order.size());
    for (auto row : Order)
        keyed.emplace_back(KeyValues(row), row);
    std::stable_sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
        return CompareKeys(a.first, b.first) < 0;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        Order[i] = keyed[i].second;
}

std::vector<TValue> TRecordTable::TImpl::KeyValues(std::int32_t physical) const {
    std::vector<TValue> values(Columns.size());
    for (int c : KeyColumns)
        values[c] = DecodeColumn(Rows[physical], c);
    return values;
}

const std::vector<TValue>& TRecordTable::TImpl::CurrentRowValues(std::int32_t physical) const {
    if (CurrentCache.Row != physical) {
        DecodeRow(Rows[physical], Columns.size(), CurrentCache.Values);
        CurrentCache.Row = physical;
    }
    return CurrentCache.Values;
}

const std::vector<TValue>& TRecordTable::TImpl::DisplayRowValues(std::int32_t physical) const {
    constexpr size_t slots = 256;
    if (DisplayCache.size() != slots)
        DisplayCache.resize(slots);
    auto& slot = DisplayCache[static_cast<size_t>(physical) % slots];
    if (slot.Row != physical) {
        DecodeRow(Rows[physical], Columns.size(), slot.Values);
        slot.Row = physical;
    }
    return slot.Values;
}

void TRecordTable::TImpl::ForgetDecodedRows() {
    CurrentCache = {};
    DisplayCache.clear();
}

int TRecordTable::TImpl::PositionOfRow(std::int32_t physical) const {
    const auto it = std::find(Order.begin(), Order.end(), physical);
    return it == Order.end() ? -1 : static_cast<int>(it - Order.begin());
}

int TRecordTable::TImpl::NetChangeCount() const {
    // Each row version belongs to a chain that starts at an inserted row or
    // at a row that existed before the log began.
    struct TChain {
        std::int32_t First = 0;
        std::int32_t Last = 0;
        bool Inserted = false;
        bool Deleted = false;
    };
    std::vector<TChain> chains;
    std::unordered_map<std::int32_t, size_t> chainOfRow;
    auto chainFor = [&](std::int32_t row, bool inserted) -> size_t {
        const auto found = chainOfRow.find(row);
        if (found != chainOfRow.end())
            return found->second;
        chains.push_back({row, row, inserted, false});
        chainOfRow[row] = chains.size() - 1;
        return chains.size() - 1;
    };
    for (const auto& entry : Log) {
        if (entry.Kind == rsInserted) {
            chainFor(entry.Row, true);
        } else if (entry.Kind == rsModified) {
            const size_t chain = chainFor(entry.PreviousRow, false);
            chains[chain].Last = entry.Row;
            chainOfRow[entry.Row] = chain;
        } else if (entry.Kind == rsDeleted) {
            chains[chainFor(entry.Row, false)].Deleted = true;
        }
    }
    auto valuesOf = [&](std::int32_t row) -> std::optional<std::vector<TValue>> {
        if (row < 1 || static_cast<size_t>(row) > Rows.size())
            return std::nullopt;
        return DecodeRow(Rows[row - 1], Columns.size());
    };
    int count = 0;
    for (const auto& chain : chains) {
        if (chain.Inserted) {
            count += chain.Deleted ? 0 : 1;
        } else if (chain.Deleted) {
            ++count;
        } else {
            const auto first = valuesOf(chain.First);
            const auto last = valuesOf(chain.Last);
            count += (first && last && *first == *last) ? 0 : 1;
        }
    }
    return count;
}

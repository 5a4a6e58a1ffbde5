#include "plot/NodeOrder.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace {

// 1-based view of the index array, so the sort reads like its description.
// Each key is read through the index: the reads jump about memory.
class IndexPositions {
public:
    using Entry = int32_t;
    IndexPositions(const double* key, int32_t* index) : m_key(key), m_index(index) {}
    void start(int p) { m_index[p - 1] = p; }
    Entry get(int p) const { return m_index[p - 1]; }
    void put(int p, Entry entry) { m_index[p - 1] = entry; }
    double keyAt(int p) const { return m_key[m_index[p - 1] - 1]; }
    void exchange(int a, int b) { std::swap(m_index[a - 1], m_index[b - 1]); }

private:
    const double* m_key;
    int32_t* m_index;
};

// The same positions with each key stored beside its station number, so
// the sort reads memory in the order it walks the positions. The sort does
// exactly the same comparisons and exchanges on either, so the order is
// the same, equal keys included.
struct KeyedEntry {
    double key;
    int32_t station;
};

class KeyedPositions {
public:
    using Entry = KeyedEntry;
    KeyedPositions(const double* key, KeyedEntry* entries) : m_key(key), m_entries(entries) {}
    void start(int p) { m_entries[p - 1] = {m_key[p - 1], p}; }
    Entry get(int p) const { return m_entries[p - 1]; }
    void put(int p, Entry entry) { m_entries[p - 1] = entry; }
    double keyAt(int p) const { return m_entries[p - 1].key; }
    void exchange(int a, int b) { std::swap(m_entries[a - 1], m_entries[b - 1]); }

private:
    const double* m_key;
    KeyedEntry* m_entries;
};

// Puts the smaller of key(i), key(p), key(j) first and the larger last
// around the pivot position p; returns the pivot key.
template <class Positions> double orderEndsAroundPivot(Positions& pos, int i, int j, int p) {
    double t = pos.keyAt(p);
    if (pos.keyAt(i) > t) {
        pos.exchange(p, i);
        t = pos.keyAt(p);
    }
    if (pos.keyAt(j) < t) {
        pos.exchange(p, j);
        t = pos.keyAt(p);
        if (pos.keyAt(i) > t) {
            pos.exchange(p, i);
            t = pos.keyAt(p);
        }
    }
    return t;
}

// Partitions i..j around the key at position p. Returns the inner ends
// (l, k): positions i..l hold keys <= t and k..j keys >= t.
template <class Positions> std::pair<int, int> partition(Positions& pos, int i, int j, int p) {
    const double t = orderEndsAroundPivot(pos, i, j, p);
    int l = j;
    int k = i;
    for (;;) {
        do {
            --l;
        } while (pos.keyAt(l) > t);
        do {
            ++k;
        } while (pos.keyAt(k) < t);
        if (k > l)
            return {l, k};
        pos.exchange(k, l);
    }
}

// Insertion sort of i..j; the entry at i-1 is not greater than any key of
// the segment and stops every shift. NaN keys can break that order, so a
// shift also stops at position 1.
template <class Positions> void insertionSort(Positions& pos, int i, int j) {
    for (int p = i + 1; p <= j; ++p) {
        const typename Positions::Entry lifted = pos.get(p);
        const double value = pos.keyAt(p);
        int q = p - 1;
        while (q >= 1 && pos.keyAt(q) > value) {
            pos.put(q + 1, pos.get(q));
            --q;
        }
        pos.put(q + 1, lifted);
    }
}

template <class Positions> void quickSort(int n, Positions& pos) {
    for (int p = 1; p <= n; ++p)
        pos.start(p);

    // The smaller part is always sorted first, so the stack of waiting
    // segments never holds more than log2(n) + 1 entries.
    struct Segment {
        int first, last;
    };
    Segment pending[64];
    int waiting = 0;
    int i = 1, j = n;
    double r = 0.375;

    enum class Step { Top, Partition, Check, Pop } step = Step::Top;
    for (;;) {
        switch (step) {
        case Step::Top:
            if (i >= j) {
                step = Step::Pop;
                break;
            }
            r = r > 0.5898437 ? r - 0.21875 : r + 0.0390625;
            step = Step::Partition;
            break;
        case Step::Partition: {
            const int pivot = i + static_cast<int>(r * (j - i));
            const auto [l, k] = partition(pos, i, j, pivot);
            if (l - i <= j - k) {
                pending[waiting++] = {k, j};
                j = l;
            } else {
                pending[waiting++] = {i, l};
                i = k;
            }
            step = Step::Check;
            break;
        }
        case Step::Check:
            if (j - i >= 11) {
                step = Step::Partition;
            } else if (i == 1) {
                step = Step::Top;
            } else {
                insertionSort(pos, i, j);
                step = Step::Pop;
            }
            break;
        case Step::Pop:
            if (waiting == 0)
                return;
            --waiting;
            i = pending[waiting].first;
            j = pending[waiting].last;
            step = Step::Check;
            break;
        }
    }
}

// The keyed sort's entries, or none when their memory cannot be had.
std::vector<KeyedEntry> sortedEntries(int n, const double* key) {
    std::vector<KeyedEntry> entries;
    try {
        entries.resize(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        return {};
    }
    KeyedPositions pos(key, entries.data());
    quickSort(n, pos);
    return entries;
}

// values[i] = old values[index[i]-1], through a copy (sequential writes).
// Falls back to the in-place cycles when the copy cannot be had.
void gatherInto(int n, int32_t* index, double* values) {
    std::vector<double> old;
    try {
        old.assign(values, values + n);
    } catch (const std::bad_alloc&) {
        applyPermutation(n, index, values);
        return;
    }
    for (int i = 0; i < n; ++i)
        values[i] = old[static_cast<size_t>(index[i] - 1)];
}

} // namespace

void quickSortIndexInPlace(int n, const double* key, int32_t* index) {
    if (n <= 0)
        return;
    IndexPositions pos(key, index);
    quickSort(n, pos);
}

void quickSortIndex(int n, const double* key, int32_t* index) {
    if (n <= 0)
        return;
    const std::vector<KeyedEntry> entries = sortedEntries(n, key);
    if (entries.empty()) {
        quickSortIndexInPlace(n, key, index);
        return;
    }
    for (int p = 0; p < n; ++p)
        index[p] = entries[static_cast<size_t>(p)].station;
}

void applyPermutation(int n, int32_t* index, double* values) {
    if (n < 2)
        return;
    // Follow each cycle once; visited entries are marked by a negative sign.
    for (int s = 1; s <= n; ++s) {
        if (index[s - 1] <= 0)
            continue;
        const double held = values[s - 1];
        int p = s;
        int q = index[p - 1];
        index[p - 1] = -index[p - 1];
        while (q != s) {
            values[p - 1] = values[q - 1];
            p = q;
            q = index[p - 1];
            index[p - 1] = -index[p - 1];
        }
        values[p - 1] = held;
    }
    for (int p = 0; p < n; ++p)
        index[p] = -index[p];
}

void sortNodesByKey(int n, int arrays, double* key, double* second, double* third, int32_t* index) {
    if (n <= 0)
        return;
    const std::vector<KeyedEntry> entries = sortedEntries(n, key);
    if (entries.empty()) {
        sortNodesByKeyInPlace(n, arrays, key, second, third, index);
        return;
    }
    for (int p = 0; p < n; ++p) {
        index[p] = entries[static_cast<size_t>(p)].station;
        if (arrays >= 1)
            key[p] = entries[static_cast<size_t>(p)].key;
    }
    if (arrays >= 2)
        gatherInto(n, index, second);
    if (arrays >= 3)
        gatherInto(n, index, third);
}

void sortNodesByKeyInPlace(int n, int arrays, double* key, double* second, double* third,
                           int32_t* index) {
    quickSortIndexInPlace(n, key, index);
    if (arrays >= 1)
        applyPermutation(n, index, key);
    if (arrays >= 2)
        applyPermutation(n, index, second);
    if (arrays >= 3)
        applyPermutation(n, index, third);
}

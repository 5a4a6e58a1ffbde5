#include "NodeOrder.h"

#include <utility>

namespace {

// 1-based view of the index array, so the sort reads like its description.
class Positions {
public:
    Positions(const double* key, int32_t* index) : m_key(key), m_index(index) {}
    int32_t& at(int p) { return m_index[p - 1]; }
    double keyAt(int p) { return m_key[at(p) - 1]; }
    void exchange(int a, int b) { std::swap(at(a), at(b)); }

private:
    const double* m_key;
    int32_t* m_index;
};

// Puts the smaller of key(i), key(p), key(j) first and the larger last
// around the pivot position p; returns the pivot key.
double orderEndsAroundPivot(Positions& pos, int i, int j, int p) {
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
std::pair<int, int> partition(Positions& pos, int i, int j, int p) {
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
void insertionSort(Positions& pos, int i, int j) {
    for (int p = i + 1; p <= j; ++p) {
        const int32_t lifted = pos.at(p);
        const double value = pos.keyAt(p);
        int q = p - 1;
        while (q >= 1 && pos.keyAt(q) > value) {
            pos.at(q + 1) = pos.at(q);
            --q;
        }
        pos.at(q + 1) = lifted;
    }
}

} // namespace

void quickSortIndex(int n, const double* key, int32_t* index) {
    if (n <= 0)
        return;
    Positions pos(key, index);
    for (int p = 1; p <= n; ++p)
        pos.at(p) = p;

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
    quickSortIndex(n, key, index);
    if (arrays >= 1)
        applyPermutation(n, index, key);
    if (arrays >= 2)
        applyPermutation(n, index, second);
    if (arrays >= 3)
        applyPermutation(n, index, third);
}

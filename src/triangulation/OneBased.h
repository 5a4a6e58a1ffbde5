#pragma once
// Internal: the package's arrays are zero-based C arrays for the caller but
// hold 1-based node numbers and positions. OneBased lets the routines index
// them by node number and position directly.

#include <cstdint>

template <class T> class OneBased {
public:
    explicit OneBased(T* zeroBased) : m_data(zeroBased) {}
    T& operator[](int32_t oneBasedIndex) const { return m_data[oneBasedIndex - 1]; }
    T* data() const { return m_data; }

private:
    T* m_data;
};

using Positions = OneBased<int32_t>;
using ConstPositions = OneBased<const int32_t>;
using Coordinates = OneBased<const double>;

// First position of node k's list; node 1's list starts at position 1.
template <class T> inline int32_t firstPosition(const OneBased<T>& adjacencyEnd, int32_t k) {
    return k == 1 ? 1 : adjacencyEnd[k - 1] + 1;
}

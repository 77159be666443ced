// Flagged<T>: a module parameter and its change flag. Set is the operator's change and marks
// the value for the next Apply; Load is a value read from the instrument and leaves the flag
// as it was. The flag stays set until the value has been sent.
//
// ChangeFlag is the part an Apply needs: whether to send, and clearing it once sent. It lets
// one list of sends hold parameters of every type.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace corvane {

class ChangeFlag {
public:
    bool Changed() const { return m_changed; }
    void ClearChanged() { m_changed = false; }

protected:
    void MarkChanged() { m_changed = true; }

private:
    bool m_changed = false;
};

template <typename T>
class Flagged : public ChangeFlag {
public:
    Flagged() = default;
    explicit Flagged(T value) : m_value(std::move(value)) {}

    const T& Value() const { return m_value; }
    // Reads as the value it holds, so comparisons and arithmetic need no Value().
    operator const T&() const { return m_value; }

    void Set(T value) {
        m_value = std::move(value);
        MarkChanged();
    }
    void Load(T value) { m_value = std::move(value); }

private:
    T m_value{};
};

// A parameter per channel or output, indexed from 0.
template <typename T, size_t N>
class FlaggedArray {
public:
    Flagged<T>& operator[](size_t index) { return m_items[index]; }
    const Flagged<T>& operator[](size_t index) const { return m_items[index]; }
    static constexpr size_t size() { return N; }
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    std::array<T, N> Values() const {
        std::array<T, N> values{};
        for (size_t i = 0; i < N; ++i) values[i] = m_items[i].Value();
        return values;
    }

private:
    std::array<Flagged<T>, N> m_items{};
};

}  // namespace corvane

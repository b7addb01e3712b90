// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>

// Raised when a 16-bit counter would leave its range; see runHandler().
class OverflowError : public std::overflow_error
{
public:
    OverflowError() : std::overflow_error("16-bit overflow") {}
};

// The program's counters, indexes and codes are 16-bit signed integers whose
// arithmetic is checked: a result out of range is an error, never a wrap-around.
class Int16
{
public:
    constexpr Int16() = default;
    constexpr Int16(int value) : m_value(checked(value)) {}

    constexpr operator int() const { return m_value; }

    constexpr Int16 &operator+=(int delta) { m_value = checked(static_cast<long long>(m_value) + delta); return *this; }
    constexpr Int16 &operator-=(int delta) { m_value = checked(static_cast<long long>(m_value) - delta); return *this; }
    constexpr Int16 &operator++() { return *this += 1; }
    constexpr Int16 &operator--() { return *this -= 1; }

    static constexpr int min() { return -32768; }
    static constexpr int max() { return 32767; }

private:
    static constexpr int16_t checked(long long value)
    {
        if (value < min() || value > max())
            throw OverflowError();
        return static_cast<int16_t>(value);
    }

    int16_t m_value = 0;
};

#pragma once

#include <array>
#include <cstdint>

namespace physics {

// Which of the 32 collision groups meet which. Every pair meets until it is disabled:
// the character's group must meet the water triggers, and nobody enables that pair.
class GroupCollisionTable {
public:
    static constexpr unsigned kGroups = 32;

    GroupCollisionTable() { rows.fill(~0u); }

    // The table is symmetric; groups beyond it are left alone.
    void set(std::uint16_t a, std::uint16_t b, bool enable) {
        if (a >= kGroups || b >= kGroups) {
            return;
        }
        if (enable) {
            rows[a] |= 1u << b;
            rows[b] |= 1u << a;
        } else {
            rows[a] &= ~(1u << b);
            rows[b] &= ~(1u << a);
        }
    }

    // A group beyond the table meets everything.
    bool get(std::uint16_t a, std::uint16_t b) const {
        return a >= kGroups || b >= kGroups || (rows[a] & (1u << b)) != 0;
    }

private:
    std::array<std::uint32_t, kGroups> rows;
};

} // namespace physics

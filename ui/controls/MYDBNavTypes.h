#pragma once
// The navigator's button identifiers, their sets and the event type; kept
// free of Qt so that the layout arithmetic builds and tests on its own.
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>

enum TMNavigateBtn : std::uint8_t {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh
};

inline constexpr int MNavButtonCount = 10;

// Bit n stands for the button of ordinal n.
class TMButtonSet {
public:
    constexpr TMButtonSet() = default;
    constexpr TMButtonSet(std::initializer_list<TMNavigateBtn> buttons) {
        for (TMNavigateBtn b : buttons)
            bits_ = static_cast<std::uint16_t>(bits_ | Bit(b));
    }
    static constexpr TMButtonSet All() { return FromBits(0x03FF); }
    static constexpr TMButtonSet FromBits(std::uint16_t bits) {
        TMButtonSet set;
        set.bits_ = bits;
        return set;
    }

    constexpr bool Contains(TMNavigateBtn b) const { return (bits_ & Bit(b)) != 0; }
    constexpr TMButtonSet& Include(TMNavigateBtn b) {
        bits_ = static_cast<std::uint16_t>(bits_ | Bit(b));
        return *this;
    }
    constexpr TMButtonSet& Exclude(TMNavigateBtn b) {
        bits_ = static_cast<std::uint16_t>(bits_ & ~Bit(b));
        return *this;
    }
    constexpr std::uint16_t Bits() const { return bits_; }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    friend constexpr bool operator==(TMButtonSet, TMButtonSet) = default;

private:
    static constexpr std::uint16_t Bit(TMNavigateBtn b) {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(b));
    }
    std::uint16_t bits_ = 0;
};

class TMYDBNav;
// Both navigator events: Sender is the navigator, Button the pressed button.
using EMNavClick = std::function<void(TMYDBNav* Sender, TMNavigateBtn Button)>;

// Button weights as exact fractions of 2^22. The heaviest weight is the
// single-precision 2.2 (2.2000000476837158203125), not the decimal one.
inline constexpr std::int64_t MNavWeightDenominator = std::int64_t{1} << 22;
inline constexpr std::array<std::int64_t, MNavButtonCount> MNavWeights = {
    4194304, 4194304, 4194304, 4194304, // 1
    6291456,                            // 1.5
    8388608, 8388608,                   // 2
    9227469, 9227469, 9227469           // 2.2f
};

// Breathing mixes as the settings write them: "O2/He" in per cent, a nitrox number, or "air".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korax {

struct Gas {
    double o2 = 0.21; // fractions, 0..1
    double he = 0.0;

    double n2() const { return 1.0 - o2 - he; }
    bool operator==(const Gas&) const = default;
};

inline constexpr Gas kAir { 0.21, 0.0 };

// "18/45", "32", "air" (any case); blanks around the text are ignored. Empty when the
// text is no mix or its fractions are impossible (no oxygen, more than 100 % in all).
std::optional<Gas> parseGas(std::string_view text);

// The label used in plans and JSON: "O2/He" in whole per cent or with one decimal, "21/0".
std::string gasLabel(const Gas& gas);

} // namespace korax

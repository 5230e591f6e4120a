#include "planner/DecoGasList.h"

#include "planner/Exposure.h"
#include "planner/Numbers.h"
#include "planner/Physics.h"
#include "profile/ProfileKeys.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace korax {
namespace {

std::vector<std::string_view> items(std::string_view text)
{
    std::vector<std::string_view> result;
    const auto separator = [](char c) { return c == ',' || c == ';' || c == ' ' || c == '\t'; };
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && separator(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !separator(text[i]))
            ++i;
        if (i > start)
            result.push_back(text.substr(start, i - start));
    }
    return result;
}

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

// Digits followed by letters: meant as a switch depth ("21m"), not as a mix.
bool looksLikeDepth(std::string_view item)
{
    const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    return (std::isdigit(static_cast<unsigned char>(item.front())) || item.front() == '.')
        && std::ranges::any_of(item, letter);
}

class ListReader {
public:
    ListReader(std::string_view value, const LengthUnit& unit, double maxPO2)
        : value_(value)
        , unit_(unit)
        , maxPO2_(maxPO2)
    {
    }

    DecoGasReading read()
    {
        if (value_ == keys::kMissingValue)
            return {};
        std::string_view gasText;
        for (const std::string_view item : items(value_)) {
            if (const auto gas = parseGas(item)) {
                result_.gases.push_back({ *gas, std::nullopt });
                gasText = item;
            } else if (looksLikeDepth(item)) {
                const bool follows = !gasText.empty() && !result_.gases.back().switchDepth;
                readDepth(follows ? std::string(gasText) + " " + std::string(item) : std::string(item), item, follows);
            } else {
                problem(ProblemKind::NotAMix, std::string(item));
            }
        }
        return std::move(result_);
    }

private:
    // A switch depth: digits and the unit right after them ("21m", "70ft"), after a mix that has none.
    void readDepth(const std::string& entry, std::string_view item, bool followsGas)
    {
        std::size_t end = 0;
        while (end < item.size() && !std::isalpha(static_cast<unsigned char>(item[end])))
            ++end;
        const auto depth = parseDecimal(item.substr(0, end));
        const std::string unit = lower(item.substr(end));
        const bool knownUnit = unit == kMetres.symbol || unit == kFeet.symbol;
        if (!followsGas || !depth || *depth <= 0.0 || !knownUnit) {
            problem(ProblemKind::BadSwitchDepth, entry);
            return;
        }
        if (unit != unit_.symbol) {
            problem(ProblemKind::SwitchDepthUnit, entry);
            return;
        }
        DecoGas& gas = result_.gases.back();
        const double deepest = modByConvention(gas.gas, maxPO2_, unit_);
        if (*depth > deepest + kTolerance) {
            problem(ProblemKind::SwitchDepthTooDeep, entry, *depth, deepest);
            return;
        }
        gas.switchDepth = *depth;
    }

    void problem(ProblemKind kind, std::string detail, double value = 0.0, double limit = 0.0)
    {
        result_.problems.push_back({ .kind = kind,
            .key = keys::kOcDecoGas,
            .text = std::string(value_),
            .detail = std::move(detail),
            .value = value,
            .limit = limit });
    }

    std::string_view value_;
    const LengthUnit& unit_;
    double maxPO2_;
    DecoGasReading result_;
};

} // namespace

DecoGasReading readDecoGasList(std::string_view value, const LengthUnit& unit, double maxPO2)
{
    return ListReader(value, unit, maxPO2).read();
}

} // namespace korax

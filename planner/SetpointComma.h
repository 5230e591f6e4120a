// A setpoint written with a decimal comma, "15/55@1,3": the comma splits the profile line into
// four fields, so the line is read as no profile line; the plan says why.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korax {

// For "60, 25, 15/55@1,3" the mix field as it was meant, "15/55@1.3"; empty for any other line.
std::optional<std::string> setpointWithDecimalComma(std::string_view line);

} // namespace korax

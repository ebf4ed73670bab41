#pragma once

#include <string>
#include <string_view>

namespace core {

// The character a caption marks with "&" as its access key, upper-cased
// (ASCII letters only); 0 when there is none. "&&" stands for a plain "&".
char AccessKey(std::string_view caption);

// Whether a typed character selects a caption by its access key.
bool MatchesAccessKey(std::string_view caption, char typed);

// The caption with its access-key markers taken out, so that nothing is
// underlined; "&&" stays, being how a plain "&" is written.
std::string WithoutAccessKey(std::string_view caption);

} // namespace core

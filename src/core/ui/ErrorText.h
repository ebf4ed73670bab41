#pragma once

#include <string>
#include <string_view>

namespace core {

// The text of the error box: the message, with a full stop appended only when
// its last character sorts after "." (so "...'" and "...!" get none).
std::string ErrorBoxText(std::string_view message);

} // namespace core

// One line telling what machine and system a measurement ran on.
#pragma once

#include <string>

namespace bench {

std::string MachineText();

} // namespace bench

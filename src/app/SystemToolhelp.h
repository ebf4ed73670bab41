// The process-wide binding to this system's kernel.
#pragma once

#include "core/processes/ToolhelpBinding.h"

core::ToolhelpBinding& SystemToolhelp();

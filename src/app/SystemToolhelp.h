// The process-wide binding to this system's kernel.
#pragma once

#include "core/inspect/ToolhelpBinding.h"

core::ToolhelpBinding& SystemToolhelp();

// The process-wide binding to this system's kernel.
#pragma once

#include "core/ToolhelpBinding.h"

core::ToolhelpBinding& SystemToolhelp();

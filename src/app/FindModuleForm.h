#pragma once

#include "app/FindModule.h"
#include "win32/FormBuilder.h"

// The find window's component tree, properties and event bindings.
win32::FormDecl<TfFindModule> FindModuleFormDeclaration();

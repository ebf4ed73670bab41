#pragma once

#include "app/Main.h"
#include "win32/FormBuilder.h"

// The main window's component tree, properties and event bindings.
win32::FormDecl<TfMain> MainFormDeclaration();

// Lookup of the program's resources by number. The resource data lives in res/.
#pragma once

#include "framework/dialog_template.h"

// nullptr when the program holds no such resource.
const DialogTemplate* FindDialogTemplate(UINT id);
const char8_t* FindStringResource(UINT id);
HICON FindIconResource(UINT id);

#pragma once

#include <vector>

#include "afxres.h"

namespace afx::win32 {
// The template as DLGTEMPLATEEX followed by its DLGITEMTEMPLATEEX items, DWORD-aligned.
std::vector<WORD> BuildExtendedTemplate(const DialogTemplate& tmpl);
}

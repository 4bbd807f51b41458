#include "afxres.h"

#include <map>

namespace afx {
namespace {
std::map<UINT, const DialogTemplate*>& Dialogs()
{
    static std::map<UINT, const DialogTemplate*> dialogs;
    return dialogs;
}
std::map<UINT, const IconResource*>& Icons()
{
    static std::map<UINT, const IconResource*> icons;
    return icons;
}
}  // namespace

void RegisterDialogTemplate(const DialogTemplate* tmpl) { Dialogs()[tmpl->id] = tmpl; }
void RegisterIconResource(const IconResource* icon) { Icons()[icon->id] = icon; }

const DialogTemplate* FindDialogTemplate(UINT id)
{
    auto it = Dialogs().find(id);
    return it == Dialogs().end() ? nullptr : it->second;
}

const IconResource* FindIconResource(UINT id)
{
    auto it = Icons().find(id);
    return it == Icons().end() ? nullptr : it->second;
}
}  // namespace afx

// Resources as data: dialog templates and icons that a program registers with the
// framework, looked up by id the way the window system looks up resources in a module.
#pragma once

#include <cstddef>

#include <windows.h>

// Predefined control classes of dialog template items.
#define DLG_CLASS_BUTTON 0x0080
#define DLG_CLASS_STATIC 0x0082
#define DLG_CLASS_COMBOBOX 0x0085

struct DialogItemTemplate {
    int id;          // -1 for a control without an id
    WORD classAtom;  // DLG_CLASS_*
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  // dialog units
    const char* text;
};

struct DialogTemplate {
    UINT id;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  // dialog units
    const char* title;
    const char* fontFace;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    const DialogItemTemplate* items;
    size_t itemCount;
};

// An icon resource: the bytes of an .ico file holding one or more images.
struct IconResource {
    UINT id;
    const unsigned char* data;
    size_t size;
};

namespace afx {
void RegisterDialogTemplate(const DialogTemplate* tmpl);
void RegisterIconResource(const IconResource* icon);
const DialogTemplate* FindDialogTemplate(UINT id);
const IconResource* FindIconResource(UINT id);

// Registers resources during static initialisation.
struct ResourceRegistration {
    explicit ResourceRegistration(const DialogTemplate* tmpl) { RegisterDialogTemplate(tmpl); }
    explicit ResourceRegistration(const IconResource* icon) { RegisterIconResource(icon); }
};
}  // namespace afx

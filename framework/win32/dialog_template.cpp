// Builds the in-memory extended dialog template that the Windows dialog manager reads, from
// the same rows the other platforms build their widgets from.
#include "dialog_template.h"

#include <windows.h>

#include <cstring>

namespace afx::win32 {
namespace {

void Append(std::vector<WORD>& out, const void* data, size_t bytes)
{
    const size_t words = (bytes + 1) / 2;
    const size_t at = out.size();
    out.resize(at + words, 0);
    std::memcpy(out.data() + at, data, bytes);
}

void AppendWord(std::vector<WORD>& out, WORD value) { out.push_back(value); }
void AppendDword(std::vector<WORD>& out, DWORD value) { Append(out, &value, sizeof value); }

// Template texts are UTF-8; the template holds UTF-16.
void AppendText(std::vector<WORD>& out, const char* text)
{
    const char* s = text ? text : "";
    const int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, s, -1, wide.data(), n);
    for (wchar_t c : wide)
        out.push_back(static_cast<WORD>(c));
}

void AlignDword(std::vector<WORD>& out)
{
    if (out.size() % 2 != 0)
        out.push_back(0);
}

}  // namespace

std::vector<WORD> BuildExtendedTemplate(const DialogTemplate& tmpl)
{
    std::vector<WORD> out;
    AppendWord(out, 1);       // dlgVer
    AppendWord(out, 0xFFFF);  // signature: extended template
    AppendDword(out, 0);      // helpID
    AppendDword(out, tmpl.exStyle);
    AppendDword(out, tmpl.style);
    AppendWord(out, static_cast<WORD>(tmpl.itemCount));
    for (short v : {tmpl.x, tmpl.y, tmpl.cx, tmpl.cy})
        AppendWord(out, static_cast<WORD>(v));
    AppendWord(out, 0);  // no menu
    AppendWord(out, 0);  // the standard dialog class
    AppendText(out, tmpl.title);
    if (tmpl.style & (DS_SETFONT | DS_SHELLFONT)) {
        AppendWord(out, tmpl.pointSize);
        AppendWord(out, tmpl.weight);
        const BYTE italicAndCharset[2] = {tmpl.italic, tmpl.charset};
        Append(out, italicAndCharset, 2);
        AppendText(out, tmpl.fontFace);
    }
    for (size_t i = 0; i < tmpl.itemCount; ++i) {
        const DialogItemTemplate& item = tmpl.items[i];
        AlignDword(out);
        AppendDword(out, 0);  // helpID
        AppendDword(out, item.exStyle);
        AppendDword(out, item.style);
        for (short v : {item.x, item.y, item.cx, item.cy})
            AppendWord(out, static_cast<WORD>(v));
        AppendDword(out, static_cast<DWORD>(item.id));
        AppendWord(out, 0xFFFF);
        AppendWord(out, item.classAtom);
        AppendText(out, item.text);
        AppendWord(out, 0);  // no creation data
    }
    return out;
}

}  // namespace afx::win32

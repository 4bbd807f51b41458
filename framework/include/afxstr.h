// A narrow-character string with the part of the CString interface the program uses.
#pragma once

#include <cstdarg>
#include <string>

#include <windows.h>

// Lets GCC and Clang check format strings against their arguments.
#if defined(__GNUC__)
#define AFX_PRINTF_FORMAT(formatIndex, firstArg) __attribute__((format(printf, formatIndex, firstArg)))
#else
#define AFX_PRINTF_FORMAT(formatIndex, firstArg)
#endif

class CString {
public:
    CString() = default;
    CString(LPCTSTR text) : m_text(text ? text : "") {}
    CString(const std::string& text) : m_text(text) {}

    CString& operator=(LPCTSTR text) { m_text = text ? text : ""; return *this; }
    CString& operator+=(LPCTSTR text) { if (text) m_text += text; return *this; }
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    operator LPCTSTR() const { return m_text.c_str(); }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    int CompareNoCase(LPCTSTR other) const;
    // printf-style formatting into this string; the format must be trusted program text.
    void Format(LPCTSTR format, ...) AFX_PRINTF_FORMAT(2, 3);
    const std::string& str() const { return m_text; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_text != b.m_text; }

private:
    std::string m_text;
};

#include "afxstr.h"

#include <cstdio>
#include <strings.h>
#include <vector>

int CString::CompareNoCase(LPCTSTR other) const
{
    return strcasecmp(m_text.c_str(), other ? other : "");
}

void CString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        m_text.clear();
    } else {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        m_text.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(args);
}

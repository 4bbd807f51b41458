// Kernel and string services of the Win32 subset.
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

#include "windows.h"

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    // Rounds half away from zero, as the Windows function does.
    const long long product = static_cast<long long>(number) * numerator;
    long long quotient = product / denominator;
    const long long remainder = product % denominator;
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(denominator)))
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    return static_cast<int>(quotient);
}

int lstrcmpi(LPCSTR a, LPCSTR b)
{
    return strcasecmp(a ? a : "", b ? b : "");
}

// The narrow encoding here is UTF-8; an unpaired surrogate becomes U+FFFD.
int WideCharToMultiByte(UINT, DWORD, LPCWSTR wide, int wideCount, LPSTR narrow, int narrowSize,
                        LPCSTR, BOOL* usedDefault)
{
    if (usedDefault)
        *usedDefault = FALSE;
    if (wide == nullptr)
        return 0;
    size_t count = 0;
    if (wideCount < 0) {
        while (wide[count] != 0)
            ++count;
        ++count;  // the terminator is converted too
    } else {
        count = static_cast<size_t>(wideCount);
    }
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        uint32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
            if (usedDefault)
                *usedDefault = TRUE;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    if (narrowSize == 0)
        return static_cast<int>(out.size());
    if (narrow == nullptr || out.size() > static_cast<size_t>(narrowSize))
        return 0;  // insufficient buffer, as on Windows
    std::memcpy(narrow, out.data(), out.size());
    return static_cast<int>(out.size());
}

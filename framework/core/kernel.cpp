// Kernel and string services of the Win32 subset.
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

#include "utf.h"
#include <windows.h>

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
    bool replaced = false;
    const std::string out = quorvel::Utf16ToUtf8(wide, count, &replaced);
    if (usedDefault)
        *usedDefault = replaced ? TRUE : FALSE;
    if (narrowSize == 0)
        return static_cast<int>(out.size());
    if (narrow == nullptr || out.size() > static_cast<size_t>(narrowSize))
        return 0;  // insufficient buffer, as on Windows
    std::memcpy(narrow, out.data(), out.size());
    return static_cast<int>(out.size());
}

// The message-string library: the registry value names a folder of message files, one text
// file per language (where the registry value is read is the platform's part).
//
// Message file (<msgPath>/<language>.msg, UTF-8):
//   # comment
//   1000=First line\r\nSecond line      (escapes: \n \r \t and a doubled backslash)
#include "LxStrLib.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <list>
#include <map>
#include <sstream>
#include <string>
#include <filesystem>

#include "LxStrLibDiagnostics.h"
#include "LxStrLibPlatform.h"

namespace lxstrlib {
namespace {

using Table = std::map<int, std::string>;

// Tables stay alive for the library's life so that every text handed out stays valid.
std::list<Table>& Tables()
{
    static std::list<Table> tables;
    return tables;
}

std::string& LastErrorText()
{
    static std::string text;
    return text;
}

bool IsDirectory(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return "";
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

namespace {

bool ValidUtf8(const std::string& s)
{
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n;
        uint32_t cp;
        if (c < 0x80) { ++i; continue; }
        if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
        else return false;
        for (size_t k = 1; k <= n; ++k) {
            if (i + k >= s.size())
                return false;
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

std::string Language()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string(value).substr(0, 2) == "fr" ? "fr" : "en";
    }
    return "en";
}

}  // namespace

eGetMsgError Fail(eGetMsgError code, const std::string& message)
{
    LastErrorText() = message;
    std::cerr << "Message strings: " << message << std::endl;
    return code;
}

const std::string& LastError()
{
    return LastErrorText();
}

bool ParseMessageFileInto(const std::string& path, const std::string& content, Table* table, std::string* error)
{
    std::istringstream in(content);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& what) {
        *error = path + ":" + std::to_string(number) + ": " + what;
        return false;
    };
    if (!ValidUtf8(content)) {
        // Name the first line that is not valid UTF-8.
        while (std::getline(in, line)) {
            ++number;
            if (!ValidUtf8(line))
                return fail("text is not valid UTF-8");
        }
        return fail("text is not valid UTF-8");
    }
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            return fail("expected id=text");
        const std::string idText = Trim(line.substr(0, eq));
        if (idText.empty() || idText.find_first_not_of("0123456789") != std::string::npos)
            return fail("message id '" + idText + "' is not a number");
        errno = 0;
        const long long id = std::strtoll(idText.c_str(), nullptr, 10);
        if (errno == ERANGE || id > INT_MAX)
            return fail("message id " + idText + " is out of range");
        if (table->count(static_cast<int>(id)))
            return fail("message " + idText + " is defined twice");
        std::string text;
        const std::string raw = line.substr(eq + 1);
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '\\') {
                text += raw[i];
                continue;
            }
            if (i + 1 >= raw.size())
                return fail("a backslash ends the line");
            switch (raw[++i]) {
            case 'n': text += '\n'; break;
            case 'r': text += '\r'; break;
            case 't': text += '\t'; break;
            case '\\': text += '\\'; break;
            default: return fail(std::string("unknown escape \\") + raw[i]);
            }
        }
        (*table)[static_cast<int>(id)] = text;
    }
    return true;
}

bool ParseMessageFile(const std::string& path, const std::string& content, std::string* error)
{
    Table table;
    return ParseMessageFileInto(path, content, &table, error);
}

}  // namespace lxstrlib

using namespace lxstrlib;

eGetMsgError LxInitStrTools(const char* keyPath, const char* valueName)
{
    LastErrorText().clear();
    std::string folder;
    if (eGetMsgError e = ReadMessageFolder(keyPath ? keyPath : "", valueName ? valueName : "", &folder))
        return e;
    if (!IsDirectory(folder))
        return Fail(eMsgFolderMissing, folder + ": message folder not found");
    std::string file = folder + "/" + Language() + ".msg";
    if (!IsFile(file))
        file = folder + "/en.msg";  // English stands in for a language without its own file
    if (!IsFile(file))
        return Fail(eMsgFileMissing, file + ": message file not found");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Fail(eMsgFileUnreadable, file + ": cannot read the message file");
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return Fail(eMsgFileUnreadable, file + ": cannot read the message file");
    Table table;
    std::string error;
    if (!ParseMessageFileInto(file, content.str(), &table, &error))
        return Fail(eMsgFileMalformed, error);
    for (auto& entry : table)
        entry.second = ToNarrowEncoding(entry.second);
    Tables().push_back(std::move(table));
    return eMsgOk;
}

const char* LxGetMLString(int id)
{
    if (Tables().empty())
        return "";
    const Table& table = Tables().back();
    auto it = table.find(id);
    return it == table.end() ? "" : it->second.c_str();
}

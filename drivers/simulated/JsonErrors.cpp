#include "JsonErrors.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace quorvel::drivers {

bool ReadWholeFile(const std::string& path, std::string* text, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot read (" + std::strerror(errno) + ")";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    *text = content.str();
    return true;
}

bool ParseJson(const std::string& source, const std::string& text, nlohmann::json* document, std::string* error)
{
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        *error = source + ":1:1: the file is empty";
        return false;
    }
    try {
        *document = nlohmann::json::parse(text);
        return true;
    } catch (const nlohmann::json::parse_error& e) {
        // Turn the byte offset into the line and column an editor shows.
        size_t line = 1, column = 1;
        const size_t end = std::min(e.byte == 0 ? 0 : e.byte - 1, text.size());
        for (size_t i = 0; i < end; ++i) {
            if (text[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        std::string what = e.what();
        // The library's message repeats its own prefix; keep the reason.
        const size_t reason = what.find("parse error");
        if (reason != std::string::npos)
            what = what.substr(reason);
        *error = source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": not valid JSON: " + what;
        return false;
    } catch (const nlohmann::json::exception& e) {
        // A number too large for any type (1e999) is refused after parsing, without a position.
        *error = source + ": not valid JSON: " + e.what();
        return false;
    }
}

}  // namespace quorvel::drivers

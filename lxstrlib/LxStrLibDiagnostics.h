// What the last LxInitStrTools call found wrong, for tools and tests; the program itself
// only tells success from failure.
#pragma once

#include <string>

namespace lxstrlib {
// Empty after a successful initialisation.
const std::string& LastError();
// Parses message-file text; on failure returns false and sets `error` to "path:line: what".
bool ParseMessageFile(const std::string& path, const std::string& content, std::string* error);
}  // namespace lxstrlib

// Reading JSON files with errors a person can act on: the file, the line and column, and what is wrong.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace quorvel::drivers {

// False with "path: cannot read (reason)" when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string* text, std::string* error);
// False with "source:line:column: what" when the text is not JSON.
bool ParseJson(const std::string& source, const std::string& text, nlohmann::json* document, std::string* error);

}  // namespace quorvel::drivers

// The platform's part of the message-string library: where the registry value is read and
// which narrow encoding the program's texts use.
#pragma once

#include <string>

#include "LxStrLib.h"

namespace lxstrlib {

std::string Trim(const std::string& s);
// Records the error for LastError(), reports it on standard error and returns `code`.
eGetMsgError Fail(eGetMsgError code, const std::string& message);
// The message folder named by `valueName` under `keyPath` (current user before machine), as
// an absolute path.
eGetMsgError ReadMessageFolder(const std::string& keyPath, const std::string& valueName, std::string* folder);
// Message files are UTF-8; the program's narrow texts are in the system's encoding.
std::string ToNarrowEncoding(const std::string& utf8);

}  // namespace lxstrlib

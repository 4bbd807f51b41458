// The message-string library: texts by number, from message files found through the
// registry value that LxInitStrTools is given.
#pragma once

enum eGetMsgError {
    eMsgOk = 0,
    eMsgKeyMissing,
    eMsgValueMissing,
    eMsgFolderMissing,
    eMsgFileMissing,
    eMsgFileUnreadable,
    eMsgFileMalformed,
};

eGetMsgError LxInitStrTools(const char* keyPath, const char* valueName);

// The text of message id, or the empty text for an unknown id; never null. The text stays
// valid for the library's life.
const char* LxGetMLString(int id);

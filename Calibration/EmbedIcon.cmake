# Turns the icon file into a C++ source that registers it as resource IDR_MAINFRAME.
file(READ "${ICON}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "// Generated from ${ICON}.\n#include <afxres.h>\n#include \"resource.h\"\nnamespace {\nconst unsigned char kIcon[] = {${bytes}};\nconst IconResource kIconResource = {IDR_MAINFRAME, kIcon, sizeof kIcon};\nconst afx::ResourceRegistration kRegisterIcon(&kIconResource);\n}\n")

// Generic-text mappings of the narrow-character build.
#pragma once

#define _T(x) x

// Ids of the application's resources, shared by the resource scripts and the C++ code. Only
// #define lines: the resource compiler reads nothing else from a header.
#pragma once

// Each language's texts are the German text's id plus the language's offset.
#define LANGUAGE_OFFSET_GERMAN 0
#define LANGUAGE_OFFSET_ENGLISH 1000
#define LANGUAGE_OFFSET_FRENCH 2000
// French texts are shipped in the revised block, which the program uses for French.
#define LANGUAGE_OFFSET_FRENCH_REVISED 4000

// The diagnostic trace of the pages: one line of text at a time, to the program's trace output.
#pragma once

// Writes one line; a line break is added when the text has none.
void WriteDiagnosticTrace(const char* line);

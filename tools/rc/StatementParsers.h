// Parsers of the resource statements with a body. Each starts after the statement's type
// keyword (after STRINGTABLE itself) and ends after the body's END.
#pragma once

#include <vector>

#include "tools/rc/ParseContext.h"
#include "tools/rc/ScriptModel.h"

namespace kq::rc {

struct LocatedString {
    StringEntry entry;
    Location where;
};

std::vector<LocatedString> ParseStringTable(ParseContext& context);
// DIALOG (extended = false) and DIALOGEX.
Dialog ParseDialog(ParseContext& context, ResName name, bool extended);
Menu ParseMenu(ParseContext& context, ResName name);
AcceleratorTable ParseAccelerators(ParseContext& context, ResName name);

// Memory options of 16-bit Windows (PRELOAD, DISCARDABLE, ...) mean nothing any more; skipped.
void SkipMemoryOptions(ParseContext& context);
// LANGUAGE statements between a resource's header and its body.
void SkipOptionalStatements(ParseContext& context);

}  // namespace kq::rc

// Hostile resource scripts: the compiler reports a fault or produces tables, never crashes,
// hangs or reads outside its input. The script may include a small header and embed a file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/rc/CodeGenerator.h"
#include "tools/rc/FileSource.h"
#include "tools/rc/ScriptParser.h"
#include "tools/rc/Token.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kq::rc::MemoryFileSource files;
    files.Add("/f/main.rc", std::string(reinterpret_cast<const char*>(data), size));
    files.Add("/f/ids.h", "#define IDD_A 100\n#define IDC_B (IDD_A + 1)\nint code;\n");
    files.Add("/f/img.bmp", std::string("BM\0\1", 4));
    try {
        const kq::rc::Script script = kq::rc::ParseScripts({"/f/main.rc"}, {"/f"}, files);
        kq::rc::GenerateSource(script, "Fuzzed");
    } catch (const kq::rc::ScriptError&) {
    }
    return 0;
}

// The program's answer to --help: its options and the environment variables it reads.
#pragma once

#include <cstdio>

namespace kq::app {

// True when the arguments ask for help (--help or -h anywhere among them).
bool AsksForHelp(int argc, char** argv);
void PrintHelp(std::FILE* out);

}  // namespace kq::app

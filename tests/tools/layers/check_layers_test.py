#!/usr/bin/python3
"""The build of a small project with the layer check fails for every way a file can read past its
target's links: a plain quoted include of a library above, the same header through "..", with
angle brackets, with a comment inside the line, through a macro, through a header of another
suffix, a file of any suffix of the library above, and a header of a folder without a target.
The files that keep to their links pass, among them a header of a folder of two libraries,
which belongs to the one that links the other; after the plants go, the build passes.

Usage: check_layers_test.py <project folder>"""

import os
import shutil
import subprocess
import sys
import tempfile

PROJECT = sys.argv[1]

KEPT = {
    "platform/low/Low.h": "#pragma once\n",
    "platform/low/Low.cpp": '#include "Low.h"\n#include <vector>\n',
    "app/High.h": '#pragma once\n#include "platform/low/Low.h"\n',
    "app/Table.inc": "// rows\n",
    "app/High.cpp": '#include "app/High.h"\n#include "app/Table.inc"\n',
    "tools/common/Shared.h": '#pragma once\n#include "app/High.h"\n',
    "platform/split/Core.cpp": "int core;\n",
    "platform/split/Only.h": '#pragma once\n#include "platform/low/Low.h"\n',
    "platform/split/Split.cpp": '#include "platform/split/Only.h"\n',
}

# Each plant, and the start of the message that must name it.
PLANTS = {
    "platform/low/Quoted.cpp": ('#include "app/High.h"\n',
                                "platform/low/Quoted.cpp:1: kq_low reads app/High.h (kq_app)"),
    "platform/low/Dots.cpp": ('#include "../../app/High.h"\n',
                              "platform/low/Dots.cpp:1: includes \"../../app/High.h\" with '..'"),
    "platform/low/Angle.cpp": ("\n#include <app/High.h>\n",
                               "platform/low/Angle.cpp:2: includes the project's header "
                               "<app/High.h> with angle brackets"),
    "platform/low/Comment.cpp": ('#include /* the frame */ "app/High.h"\n',
                                 "platform/low/Comment.cpp:1: kq_low reads app/High.h"),
    "platform/low/Macro.cpp": ('#define KQ_FRAME "app/High.h"\n#include KQ_FRAME\n',
                               "platform/low/Macro.cpp:1: kq_low reads app/High.h"),
    "platform/low/Held.hpp": ('#pragma once\n#include "app/High.h"\n',
                              "platform/low/Held.hpp:2: kq_low reads app/High.h"),
    "platform/low/Hpp.cpp": ('#include "platform/low/Held.hpp"\n', None),
    "platform/low/Inc.cpp": ('#include "app/Table.inc"\n',
                             "platform/low/Inc.cpp:1: kq_low reads app/Table.inc (kq_app)"),
    "platform/low/Through.cpp": ('#include "tools/common/Shared.h"\n',
                                 "tools/common/Shared.h:2: kq_low reads app/High.h"),
}

# Each library in its own folder, as the project builds them.
CMAKE = {
    "CMakeLists.txt": """cmake_minimum_required(VERSION 3.25)
project(LayerFixture CXX)
foreach(folder platform/low platform/split app)
    add_subdirectory(${folder})
endforeach()
include(cmake/LayerCheck.cmake)
kq_layer_check()
""",
    "platform/low/CMakeLists.txt": """file(GLOB low *.cpp)
add_library(kq_low STATIC ${low})
target_include_directories(kq_low PUBLIC ${PROJECT_SOURCE_DIR})
""",
    "platform/split/CMakeLists.txt": """add_library(kq_core STATIC Core.cpp)
add_library(kq_split STATIC Split.cpp)
target_link_libraries(kq_split PUBLIC kq_core kq_low)
""",
    "app/CMakeLists.txt": """add_library(kq_app STATIC High.cpp)
target_link_libraries(kq_app PUBLIC kq_low)
""",
}


def write(root, path, text):
    os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
    with open(os.path.join(root, path), "w", encoding="utf-8") as f:
        f.write(text)


def build(root, configure):
    folder = os.path.join(root, "build")
    steps = ([["cmake", "-S", root, "-B", folder, "-G", "Ninja"]] if configure else []) + \
        [["cmake", "--build", folder]]
    for step in steps:
        run = subprocess.run(step, capture_output=True, text=True, check=False)
        if run.returncode != 0:
            return run
    return run


def own_header_behind_what_the_compiler_names_first():
    """clang names its sanitizer ignore list before the source: the source's own header, included
    first, still counts as first."""
    sys.path.insert(0, os.path.join(PROJECT, "scripts"))
    import check_layers  # pylint: disable=import-outside-toplevel

    class Project:
        root = PROJECT
        alone = {"platform/other/Other.h"}

        @staticmethod
        def project_file(path):
            return path[len("/src/"):] if path.startswith("/src/") else None

    source, header = "tools/harness/RoadSteps.cpp", "tools/harness/RoadSteps.h"
    inputs = ["/usr/lib/clang/share/asan_ignorelist.txt", "/src/" + source, "/src/" + header]
    if check_layers.own_header_first(Project, [source, header], inputs) is not None:
        print("the source's own header after clang's ignore list was not taken as first")
        sys.exit(1)
    inputs[1:] = ["/src/" + source, "/src/platform/other/Other.h", "/src/" + header]
    if check_layers.own_header_first(Project, [source], inputs) is None:
        print("a source that includes another header first passed")
        sys.exit(1)


def main():
    own_header_behind_what_the_compiler_names_first()
    with tempfile.TemporaryDirectory() as root:
        for path, text in KEPT.items():
            write(root, path, text)
        for path, (text, _) in PLANTS.items():
            write(root, path, text)
        for path, text in CMAKE.items():
            write(root, path, text)
        for path in ("cmake/LayerCheck.cmake", "scripts/check_layers.py"):
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            shutil.copy(os.path.join(PROJECT, path), os.path.join(root, path))

        run = build(root, configure=True)
        lines = run.stdout.splitlines()
        missing = [m for _, m in PLANTS.values()
                   if m and not any(line.startswith(m) for line in lines)]
        if run.returncode == 0 or missing:
            print(run.stdout, run.stderr, "missing:", *missing, sep="\n")
            sys.exit(1)

        for path in PLANTS:
            os.remove(os.path.join(root, path))
        run = build(root, configure=True)
        if run.returncode != 0 or "follows the link order" not in run.stdout:
            print(run.stdout, run.stderr, "the build without the plants failed", sep="\n")
            sys.exit(1)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""The layer check refuses every way a file can include past its target's links: a plain quoted
include of a library above, the same header through "..", with angle brackets, and through a
header of a folder without a target; the files that keep to their links pass, among them a header
of a folder of two libraries, which belongs to the one that links the other."""

import os
import subprocess
import sys
import tempfile

SCRIPT = sys.argv[1]

FILES = {
    "platform/low/Low.h": "#pragma once\n",
    "platform/low/Low.cpp": '#include "Low.h"\n#include <vector>\n',
    "app/High.h": '#pragma once\n#include "platform/low/Low.h"\n',
    "app/High.cpp": '#include "app/High.h"\n',
    "tools/common/Shared.h": '#pragma once\n#include "app/High.h"\n',
    "platform/low/Quoted.cpp": '#include "app/High.h"\n',
    "platform/low/Dots.cpp": '#include "../../app/High.h"\n',
    "platform/low/Angle.cpp": "#include <app/High.h>\n",
    "platform/low/Through.cpp": '#include "tools/common/Shared.h"\n',
    "platform/split/Core.cpp": "int core;\n",
    "platform/split/Only.h": '#pragma once\n#include "platform/low/Low.h"\n',
    "platform/split/Split.cpp": '#include "platform/split/Only.h"\n',
}


def main():
    with tempfile.TemporaryDirectory() as root:
        for path, text in FILES.items():
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        build = os.path.join(root, "build")
        os.makedirs(os.path.join(build, "layers"))
        low = ";".join(os.path.join(root, "platform/low", name)
                       for name in ("Low.cpp", "Quoted.cpp", "Dots.cpp", "Angle.cpp",
                                    "Through.cpp"))
        with open(os.path.join(build, "layers", "targets.txt"), "w", encoding="utf-8") as f:
            f.write(f"kq_low|STATIC_LIBRARY|{root}/platform/low||{low}\n")
            f.write(f"kq_app|STATIC_LIBRARY|{root}/app|kq_low|{root}/app/High.cpp\n")
            split = f"{root}/platform/split"
            f.write(f"kq_core|STATIC_LIBRARY|{split}||{split}/Core.cpp\n")
            f.write(f"kq_split|STATIC_LIBRARY|{split}|kq_core;kq_low|{split}/Split.cpp\n")
        run = subprocess.run([sys.executable, SCRIPT, build, root], capture_output=True,
                             text=True, check=False)
        lines = run.stdout.splitlines()
        expected = [
            "platform/low/Angle.cpp:1: includes the project's header <app/High.h>",
            "platform/low/Angle.cpp:1: includes app/High.h (kq_app), which kq_low",
            "platform/low/Dots.cpp:1: includes \"../../app/High.h\" with '..'",
            "platform/low/Dots.cpp:1: includes app/High.h (kq_app), which kq_low",
            "platform/low/Quoted.cpp:1: includes app/High.h (kq_app), which kq_low",
            "tools/common/Shared.h:2: includes app/High.h (kq_app), which kq_low does not link "
            "(through platform/low/Through.cpp)",
        ]
        missing = [e for e in expected if not any(line.startswith(e) for line in lines)]
        if run.returncode == 0 or missing or len(lines) != len(expected):
            print(run.stdout, run.stderr, "missing:", missing, sep="\n")
            sys.exit(1)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Lists the product's out-of-line functions that no program reaches.

Run on a build folder configured with
    -DKQ_SANITIZE=OFF -DCMAKE_CXX_FLAGS="-O0 -ffunction-sections" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections"
so that every program keeps only the functions it can reach. A function counts as defined when
a product archive holds it as a global text symbol, and as reached when the application, a tool
or a test program still holds it after the link. Prints the counts per library; with --list,
the functions the application does not reach, marked "tests" or "tools" where only those do.
"""
import pathlib
import subprocess
import sys

PRODUCT = ("platform", "res", "foundation", "ports", "protocol", "sensor", "controls", "chart",
           "ethernet", "pages", "app")


def text_symbols(path, kinds):
    out = subprocess.run(["nm", "--defined-only", str(path)], capture_output=True, text=True).stdout
    return {f[2] for f in (line.split() for line in out.splitlines()) if len(f) == 3 and f[1] in kinds}


def main():
    build = pathlib.Path(sys.argv[1])
    defined = {}
    for folder in PRODUCT:
        for archive in sorted((build / folder).rglob("libkq_*.a")):
            for symbol in text_symbols(archive, "T"):
                defined[symbol] = archive.stem[len("libkq_"):]
    reached = {"app": set(), "tools": set(), "tests": set()}
    for exe in build.rglob("*"):
        if not exe.is_file() or not exe.stat().st_mode & 0o111 or exe.suffix:
            continue
        if exe.name == "kq7b":
            kind = "app"
        elif exe.name.startswith(("test_", "fuzz_")):
            kind = "tests"
        elif exe.parts[len(build.parts)] == "tools":
            kind = "tools"
        else:
            continue
        reached[kind] |= text_symbols(exe, "TtWw")
    counts = {}
    for symbol, library in defined.items():
        if symbol in reached["app"]:
            continue
        where = "tools" if symbol in reached["tools"] else "tests" if symbol in reached["tests"] else "none"
        counts.setdefault(library, {"none": 0, "tests": 0, "tools": 0})[where] += 1
        if "--list" in sys.argv:
            print(f"{library}\t{where}\t{symbol}")
    total = {k: sum(c[k] for c in counts.values()) for k in ("none", "tests", "tools")}
    print(f"# {len(defined)} functions defined, not in the application: {total}", file=sys.stderr)
    for library, c in sorted(counts.items()):
        print(f"#   {library}: {c}", file=sys.stderr)


main()

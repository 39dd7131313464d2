#!/usr/bin/python3
"""Lists the product's out-of-line functions that nothing calls.

A function counts as defined when a product archive holds it as a global text symbol (with the
other names of its body). What
calls it depends on the build folder:

- Built with -ffunction-sections and linked with --gc-sections (configure with
    -DKQ_SANITIZE=OFF -DCMAKE_CXX_FLAGS="-O0 -ffunction-sections" \\
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections"),
  every program keeps only the functions it can reach: a function is reached when the
  application, a tool or a test program still holds it after the link.
- Any other build folder (the test build, build/): a function is called when a relocation of
  any object of the build (product, application, tools, tests) names it, other than in debug
  information. A function called only by functions that nothing calls counts as called.

Prints the counts per library (a function the application does not reach marked "tests" or
"tools" where only those do; by relocations, only those nothing names); with --list, the
functions themselves. With --budget N it fails when more than N functions are called by nothing
and names them: scripts/test.sh runs it so on the test build, with the count it had as the
budget, lowered as the count falls.

Usage: unreached_functions.py <build folder> [--list] [--budget N]
"""
import concurrent.futures
import os
import pathlib
import re
import subprocess
import sys

PRODUCT = ("platform", "res", "foundation", "ports", "protocol", "sensor", "controls", "chart",
           "ethernet", "pages", "app")


SYMBOL = re.compile(r"^([0-9a-f]+) (.{7}) (\S+)\t[0-9a-f]+ (.+)$")


def functions(archive):
    """The global functions of an archive, each as the set of its names: a constructor's or a
    destructor's variants share one body, and a call names only one of them."""
    out = subprocess.run(["objdump", "-t", str(archive)], capture_output=True, text=True).stdout
    bodies, member = {}, ""
    for line in out.splitlines():
        if "file format" in line:
            member = line.split(":")[0]
            continue
        match = SYMBOL.match(line)
        if not match or match.group(2)[6] != "F" or match.group(3) == "*UND*":
            continue
        address, flags, section, name = match.groups()
        if flags[0] == "g" or flags[1] == "w":
            bodies.setdefault((member, section, address), []).append((flags[0] == "g", name))
    return [frozenset(name for _, name in names) for (_, section, _), names in bodies.items()
            if section.startswith(".text") and any(strong for strong, _ in names)]


def text_symbols(path, kinds):
    out = subprocess.run(["nm", "--defined-only", str(path)], capture_output=True, text=True).stdout
    return {f[2] for f in (line.split() for line in out.splitlines()) if len(f) == 3 and f[1] in kinds}


def reached_by_programs(build):
    """{"app"|"tools"|"tests": symbols the programs of that kind keep after the link}."""
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
    return reached


# Prints the symbol of every relocation outside the sections NOT_CALLS names, once each.
NAMES = r"""
/^Relocation section/ { counted = ($3 !~ /^'\.rela\.(debug|eh_frame|gcc_except_table)/) }
counted && NF >= 5 && $1 ~ /^[0-9a-f]+$/ && !seen[$5]++ { print $5 }
"""


def relocation_names(objects):
    readelf = subprocess.Popen(["readelf", "-rW", *objects], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
    out = subprocess.run(["awk", NAMES], stdin=readelf.stdout, capture_output=True,
                         text=True).stdout
    readelf.wait()
    return set(out.split())


def named_by_relocations(build):
    """Every symbol a relocation of an object of the build names, outside debug information
    and unwind tables. The objects are read in batches, several at a time."""
    objects = sorted(str(o) for o in build.rglob("*.o"))
    batches = [objects[i:i + 100] for i in range(0, len(objects), 100)]
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        return set().union(*pool.map(relocation_names, batches))


def main():
    args = sys.argv[1:]
    budget = None
    if "--budget" in args:
        at = args.index("--budget")
        budget = int(args[at + 1])
        del args[at:at + 2]
    listing = "--list" in args
    args = [a for a in args if a != "--list"]
    if len(args) != 1:
        sys.exit(__doc__)
    build = pathlib.Path(args[0])
    defined = {}
    for folder in PRODUCT:
        for archive in sorted((build / folder).rglob("libkq_*.a")):
            for names in functions(archive):
                defined[names] = archive.stem[len("libkq_"):]
    commands = build / "compile_commands.json"
    if commands.is_file() and "-ffunction-sections" in commands.read_text():
        reached = reached_by_programs(build)
    else:
        called = named_by_relocations(build)
        reached = {"app": called, "tools": set(), "tests": set()}
    counts = {}
    nowhere = []
    for names, library in defined.items():
        if names & reached["app"]:
            continue
        where = "tools" if names & reached["tools"] else "tests" if names & reached["tests"] else "none"
        symbol = min(names)
        counts.setdefault(library, {"none": 0, "tests": 0, "tools": 0})[where] += 1
        if where == "none":
            nowhere.append(f"{library}\t{symbol}")
        if listing:
            print(f"{library}\t{where}\t{symbol}")
    total = {k: sum(c[k] for c in counts.values()) for k in ("none", "tests", "tools")}
    print(f"# {len(defined)} functions defined, not in the application: {total}", file=sys.stderr)
    for library, c in sorted(counts.items()):
        print(f"#   {library}: {c}", file=sys.stderr)
    if budget is None:
        return
    if total["none"] > budget:
        print("\n".join(sorted(nowhere)))
        sys.exit(f"{total['none']} functions called by nothing, more than the budget of {budget}: "
                 "call them or remove them (listed above; c++filt reads their names)")
    if total["none"] < budget:
        print(f"# {budget - total['none']} fewer than the budget of {budget}: lower it to "
              f"{total['none']} in scripts/test.sh", file=sys.stderr)


main()

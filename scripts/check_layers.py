#!/usr/bin/python3
"""Fails when a target's compiler read a file of a library the target does not link.

The libraries' order is CMake's own link graph, which the configure step writes to
<build>/layers/targets.txt (cmake/LayerCheck.cmake): a target's objects may read files of the
target and of the libraries it links (directly or through others), nothing above. What each
object read is what the compiler wrote in its dependency list, which Ninja keeps in
<build>/.ninja_deps (other generators leave <object>.d files beside the objects): so every
include counts however it is written, through a macro, a comment or a header of any suffix.
The resource compiler's lists count too, on behalf of the library of the folder of the script,
and so do those of the headers compiled alone, on behalf of the library of each header.

A file belongs to the targets that compile it; any other file to the targets of the same-named
source, else to the libraries of the nearest folder that defines one (of several there, to the
one that links the others). A file that belongs to no target (tools/common, the tests' and
benchmarks' support headers) may be read by any target: what it includes is read by the same
object and checked there.

Every file read is also held to the project's spelling: its own headers with quotes and without
"..". Where the build compiles headers on their own (cmake/HeaderCheck.cmake), a source whose
header it does not compile so includes that header first. The link graph must have no cycle, and neither the simulators nor the sensor dialogue's
libraries link a window library.

Usage: check_layers.py <build dir> [project folder, by default the one above this script]
"""

import os
import re
import struct
import sys
from collections import defaultdict

# An include line; comments may stand between its parts.
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include(?:[ \t]|/\*.*?\*/)*([<"])([^">\n]+)[">]',
                     re.MULTILINE)
FOLDERS = ("platform", "res", "foundation", "ports", "protocol", "sensor", "controls", "chart",
           "ethernet", "pages", "app", "tools", "tests", "bench")
# Programs that speak to the application over a line and must not carry a window system.
WINDOWLESS = ("kq7b-sensorsim", "kq7b-devsrvsim", "kq_protocol", "kq_sensor")
WINDOW_LIBRARIES = {"kq_gfx", "kq_ui", "kq_framework"}
# What the compiler includes before the source's first line.
PRE_INCLUDED = "/stdc-predef.h"
# The objects of the headers compiled alone (cmake/HeaderCheck.cmake).
HEADERS_ALONE = ("kq_headers_alone", "kq_test_headers_alone")
OBJECT = re.compile(r"(?:^|/)CMakeFiles/([^/]+)\.dir/")


class Project:
    def __init__(self, build, root):
        self.root = root
        self.build = build
        self.links = {}
        self.sources = {}
        self.folder_targets = defaultdict(set)
        self.source_targets = defaultdict(set)
        self.alone = set()  # the headers compiled on their own
        self.named = {}  # project_file's answers
        libraries = defaultdict(lambda: {True: set(), False: set()})
        generated = self.relative(build) + os.sep
        path = os.path.join(build, "layers", "targets.txt")
        with open(path, encoding="utf-8") as graph:
            for line in graph.read().splitlines():
                name, kind, folder, links, sources = line.split("|")
                self.links[name] = set(links.split(";")) if links else set()
                folder = self.relative(folder)
                sources = [self.relative(s) for s in sources.split(";")] if sources else []
                self.sources[name] = set(sources)
                for source in sources:
                    self.source_targets[source].add(name)
                if kind == "STATIC_LIBRARY" and not folder.startswith(("tests", "bench")):
                    # A library of generated sources only (compiled resources) owns its folder
                    # only where no library of written sources does.
                    written = any(not s.startswith(("..", generated)) for s in sources)
                    libraries[folder][written].add(name)
        for name in self.links:
            self.links[name] &= self.links.keys()
        self.closure = {name: self.reachable(name) | {name} for name in self.links}
        for folder, by_kind in libraries.items():
            owners = by_kind[True] or by_kind[False]
            # Of several libraries of one folder, the one that links the others owns the files
            # that no source of the others names.
            linked = {other for name in owners for other in self.reachable(name)}
            self.folder_targets[folder] = (owners - linked) or owners

    def relative(self, path):
        return os.path.relpath(os.path.realpath(path), self.root)

    def reachable(self, start):
        seen, stack = set(), [start]
        while stack:
            for nxt in self.links[stack.pop()]:
                if nxt not in seen:
                    seen.add(nxt)
                    stack.append(nxt)
        return seen

    def project_file(self, path):
        """The project-relative name of a file the compiler read, or None for one from outside
        the project's folders (system headers, generated files)."""
        if path not in self.named:
            full = os.path.normpath(os.path.join(self.build, path))
            relative = full[len(self.root) + 1:] if full.startswith(self.root + os.sep) else None
            if relative is not None and relative.split(os.sep, 1)[0] not in FOLDERS:
                relative = None
            self.named[path] = relative
        return self.named[path]

    def owners(self, path):
        """The targets a file belongs to (empty for a folder without a target)."""
        if path in self.source_targets:
            return self.source_targets[path]
        stem = os.path.splitext(path)[0]
        for ext in (".cpp", ".c"):
            if stem + ext in self.source_targets:
                return self.source_targets[stem + ext]
        folder = os.path.dirname(path)
        while folder:
            if folder in self.folder_targets:
                return self.folder_targets[folder]
            folder = os.path.dirname(folder)
        return set()

    def is_project_header(self, name):
        """Whether an angle-bracket name finds one of the project's files."""
        for place in ("", "tests"):
            candidate = os.path.normpath(os.path.join(place, name))
            if not candidate.startswith("..") and os.path.isfile(
                    os.path.join(self.root, candidate)):
                return True
        return False


def ninja_deps(path):
    """{output: [inputs]} of Ninja's dependency log (format 4), the latest list of each output.
    A record cut short by a write in progress ends the reading."""
    with open(path, "rb") as f:
        data = f.read()
    header = b"# ninjadeps\n"
    if not data.startswith(header):
        sys.exit(f"{path}: not a Ninja dependency log")
    (version,) = struct.unpack_from("<i", data, len(header))
    if version != 4:
        sys.exit(f"{path}: Ninja dependency log of format {version}; this check reads format 4")
    nodes, deps = [], {}
    at = len(header) + 4
    while at + 4 <= len(data):
        (size,) = struct.unpack_from("<I", data, at)
        is_deps, size = size >> 31, size & 0x7FFFFFFF
        if at + 4 + size > len(data):
            break
        record = data[at + 4:at + 4 + size]
        at += 4 + size
        if is_deps:
            ids = struct.unpack_from(f"<{size // 4}i", record)
            # output, modification time (two words), inputs
            deps[ids[0]] = ids[3:]
        else:
            nodes.append(record[:-4].rstrip(b"\0").decode("utf-8", "surrogateescape"))
    return {nodes[out]: [nodes[i] for i in inputs if i < len(nodes)]
            for out, inputs in deps.items() if out < len(nodes)}


def depfile_deps(build):
    """{object: [inputs]} of the .d files beside the objects (generators other than Ninja)."""
    found = {}
    for base, _, names in os.walk(build):
        for name in names:
            if name.endswith(".o.d"):
                with open(os.path.join(base, name), encoding="utf-8", errors="replace") as f:
                    text = f.read().replace("\\\n", " ")
                _, _, inputs = text.partition(": ")
                output = os.path.relpath(os.path.join(base, name[:-2]), build)
                found[output] = inputs.split()
    return found


def read_lists(project):
    """(targets, project files read, every file read) of every current object, and of every
    compiled resource script (with no files read by a compiler)."""
    log = os.path.join(project.build, ".ninja_deps")
    lists = ninja_deps(log) if os.path.isfile(log) else depfile_deps(project.build)
    for output, inputs in sorted(lists.items()):
        read = [f for f in map(project.project_file, inputs) if f is not None]
        match = OBJECT.search(output)
        if match:
            target = match.group(1)
            if target in HEADERS_ALONE:
                # A header compiled on its own reads on behalf of the library it belongs to.
                if read:
                    project.alone.add(read[0])
                    yield project.owners(read[0]), read, []
                continue
            # An object of a source the target no longer compiles is left over: skip it.
            if target not in project.sources or not read or read[0] not in project.sources[target]:
                continue
            yield {target}, read, inputs
        elif read and read[0].endswith(".rc"):
            yield project.owners(read[0]), read, []


def own_header_first(project, read, inputs):
    """Where the build compiles headers on their own (cmake/HeaderCheck.cmake), a header it does
    not compile so has a source of its name that includes it first, so that compiling the source
    shows the header compiles on its own. What the compiler includes by itself and precompiled
    headers come before and are not counted."""
    source = read[0]
    header = os.path.splitext(source)[0] + ".h"
    if not project.alone or header in project.alone or not source.endswith(
            (".cpp", ".c")) or not os.path.isfile(os.path.join(project.root, header)):
        return None
    # What the compiler names before the source (clang's sanitizer ignore lists) is not read
    # from it.
    at = next((i for i, f in enumerate(inputs) if project.project_file(f) == source), 0)
    first = next((f for f in inputs[at + 1:]
                  if not f.endswith(PRE_INCLUDED) and "cmake_pch" not in f), None)
    if first is not None and project.project_file(first) == header:
        return None
    first = project.project_file(first) or first if first else "nothing"
    return f"{source}: includes {first} first, not its own header {header}: include that " \
           f"first, so that the build shows {header} compiles on its own"


def cycles(graph, libraries):
    """Strongly connected groups of more than one library (Tarjan)."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in graph[node] & libraries:
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = set()
            while True:
                top = stack.pop()
                on_stack.discard(top)
                group.add(top)
                if top == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    for node in sorted(libraries):
        if node not in index:
            visit(node)
    return groups


def text_of(project, path, cache={}):
    if path not in cache:
        with open(os.path.join(project.root, path), encoding="utf-8", errors="replace") as f:
            cache[path] = f.read()
    return cache[path]


def spelling(project, path):
    """Includes of a file that name the project's headers other than with quotes and no ".."."""
    text = text_of(project, path)
    for match in INCLUDE.finditer(text):
        line = text.count("\n", 0, match.start()) + 1
        name = match.group(2).strip()
        if match.group(1) == '"' and ".." in name.split("/"):
            yield f"{path}:{line}: includes \"{name}\" with '..': name the header from the " \
                  f"project's folder"
        elif match.group(1) == "<" and project.is_project_header(name):
            yield f"{path}:{line}: includes the project's header <{name}> with angle brackets: " \
                  f"use quotes"


def naming_line(project, read, header):
    """Where a file the object read names the header: "file:line", or "" when none does by its
    name (a name put together by macros)."""
    for name in (header, os.path.basename(header)):
        for path in read:
            if path == header:
                continue
            for number, line in enumerate(text_of(project, path).splitlines(), 1):
                if name in line and re.search(r"#\s*(include|define)", line):
                    return f"{path}:{number}"
    return ""


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    build = os.path.realpath(sys.argv[1])
    root = sys.argv[2] if len(sys.argv) == 3 else os.path.join(os.path.dirname(__file__), "..")
    root = os.path.realpath(root)
    project = Project(build, root)
    libraries = {name for name in project.links if name.startswith("kq_")}
    problems = [f"link cycle: {' <-> '.join(group)}"
                for group in cycles(project.links, libraries)]
    for program in WINDOWLESS:
        for library in sorted(project.closure.get(program, set()) & WINDOW_LIBRARIES):
            problems.append(f"{program} links the window library {library}")

    reported, spelled, objects = set(), set(), 0
    lists = list(read_lists(project))
    for targets, read, inputs in lists:
        objects += 1
        problem = own_header_first(project, read, inputs) if inputs else None
        if problem and problem not in problems:
            problems.append(problem)
        for path in read:
            if path not in spelled:
                spelled.add(path)
                problems.extend(spelling(project, path))
            theirs = project.owners(path)
            if not theirs:
                continue
            for mine in sorted(targets):
                if theirs & project.closure[mine]:
                    continue
                # Once for each place that names the file, however many objects read it there.
                where = naming_line(project, read, path)
                if (mine, path, where) in reported:
                    continue
                reported.add((mine, path, where))
                problems.append(f"{where or read[0]}: {mine} reads {path} "
                                f"({', '.join(sorted(theirs))}), which {mine} does not link"
                                f" (compiling {read[0]})")
    for line in problems:
        print(line)
    if problems:
        sys.exit(f"{len(problems)} include(s) or link(s) against the libraries' order")
    print(f"layers: what {objects} objects read of {len(spelled)} files follows the link order "
          f"of {len(project.links)} targets")


if __name__ == "__main__":
    main()

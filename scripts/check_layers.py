#!/usr/bin/python3
"""Fails when a file includes a header of a library its target does not link.

The libraries' order is CMake's own link graph, which the configure step writes to
<build>/layers/targets.txt (cmake/LayerCheck.cmake): a file of target A may include headers of A
and of the libraries A links (directly or through others), nothing above. Every include is
resolved as the compiler resolves it: a quoted name beside the including file first, then below
the project's folder (and tests/ for the tests). The project's own headers are included with
quotes and without "..", so that no include can reach a header past this check. The link graph
must have no cycle, and neither the simulators nor the sensor dialogue's libraries link a window
library.

A file belongs to the targets that compile it; a header to the targets of the same-named source,
else to the libraries of the nearest folder that defines one (of several there, to the one that
links the others). A header that belongs to no target (tools/common, the tests' and benchmarks'
support headers) is checked for every file that includes it, as the compiler compiles it there.

Usage: check_layers.py <build dir> [project folder, by default the one above this script]
"""

import os
import re
import sys
from collections import defaultdict

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.MULTILINE)
FOLDERS = ("platform", "res", "foundation", "ports", "protocol", "sensor", "controls", "chart",
           "ethernet", "pages", "app", "tools", "tests", "bench")
SUFFIXES = (".h", ".cpp", ".c", ".rc")
# Programs that speak to the application over a line and must not carry a window system.
WINDOWLESS = ("kq7b-sensorsim", "kq7b-devsrvsim", "kq_protocol", "kq_sensor")
WINDOW_LIBRARIES = {"kq_gfx", "kq_ui", "kq_framework"}


class Project:
    def __init__(self, build, root):
        self.root = root
        self.links = {}
        self.folder_targets = defaultdict(set)
        self.source_targets = defaultdict(set)
        libraries = defaultdict(lambda: {True: set(), False: set()})
        generated = self.relative(build) + os.sep
        path = os.path.join(build, "layers", "targets.txt")
        with open(path, encoding="utf-8") as graph:
            for line in graph.read().splitlines():
                name, kind, folder, links, sources = line.split("|")
                self.links[name] = set(links.split(";")) if links else set()
                folder = self.relative(folder)
                sources = [self.relative(s) for s in sources.split(";")] if sources else []
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
            # Of several libraries of one folder, the one that links the others owns the headers
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

    def resolve(self, including, name, quoted):
        """The project file an include names, or None for a header from outside the project."""
        places = [os.path.dirname(including)] if quoted else []
        places += ["", "tests"]
        for place in places:
            candidate = os.path.normpath(os.path.join(place, name))
            if not candidate.startswith("..") and os.path.isfile(
                    os.path.join(self.root, candidate)):
                return candidate
        return None


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


_includes = {}


def includes(project, path):
    """(line, quoted, name, resolved project file or None) of every include of a file."""
    cache = _includes
    if path not in cache:
        with open(os.path.join(project.root, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        found = []
        for match in INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            quoted = match.group(1) == '"'
            name = match.group(2)
            found.append((line, quoted, name, project.resolve(path, name, quoted)))
        cache[path] = found
    return cache[path]


def check_file(project, path, targets, problems, via=(), seen=None):
    """Checks the includes of a file compiled as part of each of `targets`. A header without a
    target of its own is followed into, on behalf of the file that includes it."""
    seen = set() if seen is None else seen
    if path in seen:
        return
    seen.add(path)
    where = " (through " + ", ".join(via) + ")" if via else ""
    for line, quoted, name, header in includes(project, path):
        if quoted and ".." in name.split("/"):
            problems.append(f"{path}:{line}: includes \"{name}\" with '..': name the header from "
                            f"the project's folder{where}")
        if header is None:
            continue
        if not quoted:
            problems.append(f"{path}:{line}: includes the project's header <{name}> with angle "
                            f"brackets: use quotes{where}")
        theirs = project.owners(header)
        if not theirs:
            check_file(project, header, targets, problems, via + (path,), seen)
            continue
        for mine in sorted(targets):
            if not theirs & project.closure[mine]:
                problems.append(f"{path}:{line}: includes {header} ({', '.join(sorted(theirs))})"
                                f", which {mine} does not link{where}")


def project_files(root):
    for folder in FOLDERS:
        for base, dirs, names in os.walk(os.path.join(root, folder)):
            dirs.sort()
            for name in sorted(names):
                if name.endswith(SUFFIXES):
                    yield os.path.relpath(os.path.join(base, name), root)


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

    checked = 0
    for path in project_files(root):
        targets = project.owners(path)
        if targets:
            checked += 1
            check_file(project, path, targets, problems)
    for line in problems:
        print(line)
    if problems:
        sys.exit(f"{len(problems)} include(s) or link(s) against the libraries' order")
    print(f"layers: {checked} files of {len(project.links)} targets follow the link order")


if __name__ == "__main__":
    main()

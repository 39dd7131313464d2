#!/usr/bin/python3
"""Fails when a library's code includes a header of a library it does not link.

The libraries' order is CMake's own link graph: a file of library A may include headers of A and
of the libraries A links (directly or through others), nothing above. The link graph itself must
have no cycle, and the simulators link no window library. Which library a file belongs to comes
from the build's compile commands (a source) or from the folder whose sources build it (a header).

Usage: check_layers.py <build dir>
"""

import json
import os
import re
import subprocess
import sys
import tempfile
from collections import Counter, defaultdict

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
# Programs that speak to the application over a line and must not carry a window system.
WINDOWLESS = ("kq7b-sensorsim", "kq7b-devsrvsim")
WINDOW_LIBRARIES = {"kq_gfx", "kq_ui", "kq_framework"}
OBJECT = re.compile(r"\s-o\s+(\S*?)CMakeFiles/([^/]+)\.dir/")


def link_graph(build):
    """Returns {target: set(linked targets)} for the project's own targets."""
    with tempfile.TemporaryDirectory() as tmp:
        dot = os.path.join(tmp, "graph.dot")
        subprocess.run(["cmake", f"--graphviz={dot}", "."], cwd=build, check=True,
                       stdout=subprocess.DEVNULL)
        text = open(dot, encoding="utf-8").read()
    names = dict(re.findall(r'"(node\d+)" \[ label = "([^"]+)"', text))
    graph = defaultdict(set)
    for source, target in re.findall(r'"(node\d+)" -> "(node\d+)"', text):
        if source in names and target in names:
            graph[names[source]].add(names[target])
    for name in names.values():
        graph.setdefault(name, set())
    return graph


def reachable(graph):
    closure = {}
    for start in graph:
        seen, stack = set(), [start]
        while stack:
            for nxt in graph[stack.pop()]:
                if nxt not in seen:
                    seen.add(nxt)
                    stack.append(nxt)
        closure[start] = seen
    return closure


def owners(build, root):
    """Source file -> target, and folder -> target that builds most of its sources."""
    commands = json.load(open(os.path.join(build, "compile_commands.json"), encoding="utf-8"))
    by_file, by_folder = {}, defaultdict(Counter)
    for entry in commands:
        match = OBJECT.search(entry.get("command", ""))
        path = os.path.relpath(os.path.realpath(entry["file"]), root)
        if not match or path.startswith(".."):
            continue
        by_file[path] = match.group(2)
        by_folder[os.path.dirname(path)][match.group(2)] += 1
    return by_file, {folder: count.most_common(1)[0][0] for folder, count in by_folder.items()}


def owner_of(path, by_file, by_folder):
    if path in by_file:
        return by_file[path]
    stem = os.path.splitext(path)[0]
    for ext in (".cpp", ".c"):
        if stem + ext in by_file:
            return by_file[stem + ext]
    folder = os.path.dirname(path)
    while folder:
        if folder in by_folder:
            return by_folder[folder]
        folder = os.path.dirname(folder)
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


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build = os.path.realpath(sys.argv[1])
    root = os.path.realpath(os.path.join(os.path.dirname(__file__), ".."))
    graph = link_graph(build)
    closure = reachable(graph)
    by_file, by_folder = owners(build, root)
    libraries = {name for name in graph if name.startswith("kq_")}
    problems = [f"link cycle: {' <-> '.join(group)}" for group in cycles(graph, libraries)]
    for program in WINDOWLESS:
        for library in sorted(closure.get(program, set()) & WINDOW_LIBRARIES):
            problems.append(f"{program} links the window library {library}")

    files = set(by_file)
    for folder in by_folder:
        for name in os.listdir(os.path.join(root, folder) if folder else root):
            if name.endswith(".h"):
                files.add(os.path.join(folder, name))
    for path in sorted(files):
        mine = owner_of(path, by_file, by_folder)
        if mine not in libraries:
            continue
        text = open(os.path.join(root, path), encoding="utf-8", errors="replace").read()
        for header in INCLUDE.findall(text):
            if not os.path.exists(os.path.join(root, header)):
                continue
            theirs = owner_of(header, by_file, by_folder)
            if theirs and theirs != mine and theirs not in closure[mine]:
                problems.append(f"{path} ({mine}) includes {header} ({theirs}), "
                                f"which {mine} does not link")
    for line in problems:
        print(line)
    if problems:
        sys.exit(f"{len(problems)} include(s) or link(s) against the libraries' order")
    print(f"layers: {len(files)} files of {len(libraries)} libraries follow the link order")


if __name__ == "__main__":
    main()

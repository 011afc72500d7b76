#!/usr/bin/env python3
"""Fails when a source file reaches outside its layer.

Each library folder (core/<name>, app/<name>) may include its own headers and those of the libraries its
CMakeLists.txt links (and what they link in turn), never those of a layer above it; the Qt-free layers include
no Qt header. The tests of a folder (tests/core/<name>, tests/app/<name>) include what their own
CMakeLists.txt links, and the shared helpers of tests/support/.

Usage: check_layers.py [SOURCE_DIR]
"""

import pathlib
import re
import sys

# Bottom to top: a library may only depend on libraries before it.
LAYERS = ["base", "engine", "userdict", "wordforms", "dictexport", "services", "qttext", "widgets", "windows", "cli"]
QT_FREE = {"base", "engine", "userdict", "wordforms", "dictexport", "services", "cli"}
FOLDERS = {name: ("core/" if LAYERS.index(name) <= LAYERS.index("dictexport") else "app/") + name for name in LAYERS}

LINK = re.compile(r"(?:target_link_libraries|trelvik_add_library|trelvik_add_test)\s*\(([^)]*)\)", re.S)
TRELVIK_LIB = re.compile(r"trelvik::(\w+)")
QUOTED_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
ANGLE_INCLUDE = re.compile(r"^\s*#\s*include\s*<([^>]+)>", re.M)
SOURCES = (".h", ".cpp", ".in")


def linked_libraries(cmake_file):
    """The layers a CMakeLists.txt links."""
    if not cmake_file.exists():
        return set()
    linked = set()
    for call in LINK.findall(cmake_file.read_text(encoding="utf-8")):
        linked.update(lib for lib in TRELVIK_LIB.findall(call) if lib in LAYERS)
    return linked


def declared_dependencies(root):
    """Each library's direct dependencies among the layers, as its CMakeLists.txt links them."""
    return {name: linked_libraries(root / folder / "CMakeLists.txt") - {name} for name, folder in FOLDERS.items()}


def closure(direct, start):
    seen, todo = set(), list(start)
    while todo:
        lib = todo.pop()
        if lib not in seen:
            seen.add(lib)
            todo.extend(direct[lib])
    return seen


def problems_of_file(path, rel, name, allowed, extra_ok=()):
    text = path.read_text(encoding="utf-8", errors="replace")
    found = []
    for include in QUOTED_INCLUDE.findall(text):
        head = include.split("/", 1)[0]
        if "/" not in include or head in extra_ok or (path.parent / include).exists():
            continue
        if head == name or head in allowed:
            continue
        why = "a layer above it" if head in LAYERS and LAYERS.index(head) > LAYERS.index(name) else (
            "a library it does not link" if head in LAYERS else "no library")
        found.append(f'{rel}: includes "{include}", {why} ({name} may use {", ".join(sorted(allowed)) or "nothing"})')
    if name in QT_FREE:
        for include in ANGLE_INCLUDE.findall(text):
            if include.startswith("Q") or include.startswith("qt"):
                found.append(f"{rel}: includes <{include}>, but {name} is free of Qt")
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2])
    direct = declared_dependencies(root)
    problems = []
    for name in LAYERS:
        for dep in direct[name]:
            if LAYERS.index(dep) > LAYERS.index(name):
                problems.append(f"{FOLDERS[name]}/CMakeLists.txt: {name} links {dep}, a layer above it")
        tests = root / "tests" / FOLDERS[name]
        tested = closure(direct, linked_libraries(tests / "CMakeLists.txt") | {name})
        for base, allowed, extra in ((root / FOLDERS[name], closure(direct, direct[name]), ()),
                                     (tests, tested, ("support",))):
            for path in sorted(p for p in base.rglob("*") if p.suffix in SOURCES and p.is_file()):
                problems.extend(problems_of_file(path, path.relative_to(root), name, allowed, extra))
    for problem in problems:
        print(problem)
    print(f"layers: {len(problems)} include(s) across a layer" if problems else "layers: every include keeps to its layer")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

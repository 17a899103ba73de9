#!/usr/bin/env python3
"""Checks the include lines of src/: layers only look down, code outside the engine uses the engine only
through its door headers, and no include circle exists (a header and its source file count as one unit).
Prints the include circles it finds and exits 1 when any rule is broken."""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
# Lower numbers lie lower; a file may include its own layer or any layer below it.
LAYERS = {"engine": 0, "common": 1, "sprite": 2, "ui": 2, "game": 3, "app": 4}
# Outside the engine, these are the only engine headers that may be included.
DOOR = re.compile(r"^engine/(engine\.h|([a-z]+)/\2\.h)$")
ENTRY_DOORS = {"engine/platform/sdl/sdl_platform.h"}  # the real platform, for the program's entry
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def sources():
    for folder, _, files in os.walk(ROOT):
        for name in files:
            if name.endswith((".h", ".cpp", ".inc")):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, ROOT).replace(os.sep, "/")


def unit(path):
    return os.path.splitext(path)[0]


def circles(graph):
    """Tarjan's strongly connected components with more than one unit."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on_stack.add(v)
        for w in sorted(graph.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return found


def main():
    problems = []
    graph = {}
    files = sorted(sources())
    for path in files:
        layer = path.split("/")[0]
        if layer not in LAYERS:
            problems.append(f"{path}: not in a known layer ({', '.join(LAYERS)})")
            continue
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            text = f.read()
        for target in INCLUDE.findall(text):
            if not os.path.exists(os.path.join(ROOT, target)):
                continue  # generated or relative to the file; not part of the layer picture
            target_layer = target.split("/")[0]
            if LAYERS.get(target_layer, -1) > LAYERS[layer]:
                problems.append(f"{path}: includes {target}, a layer above it")
            elif target_layer != layer and LAYERS.get(target_layer) == LAYERS[layer]:
                problems.append(f"{path}: includes {target}, a sibling layer")
            if layer != "engine" and target_layer == "engine":
                if not DOOR.match(target) and not (layer == "app" and target in ENTRY_DOORS):
                    problems.append(f"{path}: includes {target}, which is not a subsystem's door header")
            if unit(target) != unit(path):
                graph.setdefault(unit(path), set()).add(unit(target))
    found = circles(graph)
    for component in found:
        problems.append("include circle: " + " -> ".join(component))
    for problem in problems:
        print(problem)
    print(f"{len(files)} files, {sum(len(v) for v in graph.values())} unit dependencies, "
          f"{len(found)} include circles, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fails when a file of a lower layer includes one of a higher layer.

The layers are the libraries the build makes, from the bottom up: the RTF reader and writer
(vantell_rtf), the window-free core (vantell_core), the windows (vantell_ui) and the program
(vantell). A source file belongs to the library that compiles it, and its header with it; a header
without a source file stands as high as the highest header it includes.
"""
import re
import sys
from pathlib import Path

LAYERS = ["vantell_rtf", "vantell_core", "vantell_ui", "vantell"]


def target_sources(cmake_text):
    """The sources of each layer's target, as paths relative to src/."""
    sources = {}
    for match in re.finditer(r"add_(?:library|executable)\((\w+)\s+(?:STATIC\s+)?([^)]*)\)", cmake_text):
        name, body = match.groups()
        if name in LAYERS:
            sources[name] = [item for item in body.split() if item.endswith(".cpp")]
    return sources


def main(root):
    src = root / "src"
    roots = [src, root / "resources"]
    layer = {}
    for name, files in target_sources((src / "CMakeLists.txt").read_text()).items():
        for cpp in files:
            layer[cpp] = LAYERS.index(name)
            header = cpp[:-4] + ".h"
            if (src / header).exists():
                layer[header] = LAYERS.index(name)

    def includes(relative):
        for base in roots:
            path = base / relative
            if path.exists():
                text = path.read_text(encoding="utf-8")
                return [name for name in re.findall(r'^#include "([^"]+)"', text, re.M)
                        if any((b / name).exists() for b in roots)]
        return []

    resolving = set()

    def layer_of(relative):
        if relative in layer:
            return layer[relative]
        if relative in resolving:
            return 0
        resolving.add(relative)
        layer[relative] = max([layer_of(name) for name in includes(relative)], default=0)
        return layer[relative]

    faults = []
    for relative in sorted(list(layer)):
        own = layer[relative]
        for name in includes(relative):
            if layer_of(name) > own:
                faults.append(f"src/{relative} ({LAYERS[own]}) includes {name} ({LAYERS[layer_of(name)]})")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} include-layer violations in {len(layer)} files")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)))

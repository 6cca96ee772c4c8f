#!/usr/bin/env python3
"""Fails when a file of a lower layer includes one of a higher layer, or stands in the wrong folder.

The layers are the libraries the build makes, from the bottom up: the RTF reader and writer
(vantell_rtf), the window-free core (vantell_core), the windows (vantell_ui) and the program
(vantell). The folders show them: src/core/rtf/ the RTF layer, the rest of src/core/ the core,
src/ui/ the windows, src/ui/app/main.cpp the program. A source file belongs to the library that
compiles it, and its header with it; a header without a source file stands as high as its folder.

Three rules:
- the library that compiles a file is the one its folder names;
- no file includes a file of a higher layer, by library or by folder;
- no window-free file includes a widget header but the hidden rich-edit control <QTextEdit> that
  the rich-text converter's interface names, and none includes WebEngine.
"""
import re
import sys
from pathlib import Path

LAYERS = ["vantell_rtf", "vantell_core", "vantell_ui", "vantell"]
QT_INCLUDE = Path("/usr/include/x86_64-linux-gnu/qt6")


def target_sources(cmake_text):
    """The sources of each layer's target, as paths relative to src/."""
    sources = {}
    for match in re.finditer(r"add_(?:library|executable)\((\w+)\s+(?:STATIC\s+)?([^)]*)\)", cmake_text):
        name, body = match.groups()
        if name in LAYERS:
            sources[name] = [item for item in body.split() if item.endswith(".cpp")]
    return sources


def folder_layer(relative):
    """The layer a file's folder names, or None for a file outside the layered folders."""
    if relative == "ui/app/main.cpp":
        return LAYERS.index("vantell")
    if relative.startswith("core/rtf/"):
        return LAYERS.index("vantell_rtf")
    if relative.startswith("core/"):
        return LAYERS.index("vantell_core")
    if relative.startswith("ui/"):
        return LAYERS.index("vantell_ui")
    return None


def widget_headers():
    """The class headers of Qt Widgets, and the module names no window-free file may include."""
    names = {p.name for p in (QT_INCLUDE / "QtWidgets").glob("*") if p.suffix == ""}
    return names - {"QTextEdit"}


def main(root):
    src = root / "src"
    roots = [src, root / "resources"]
    faults = []
    layer = {}
    for name, files in target_sources((src / "CMakeLists.txt").read_text()).items():
        for cpp in files:
            layer[cpp] = LAYERS.index(name)
            header = cpp[:-4] + ".h"
            if (src / header).exists():
                layer[header] = LAYERS.index(name)

    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        relative = path.relative_to(src).as_posix()
        folder = folder_layer(relative)
        if folder is None:
            faults.append(f"src/{relative} stands outside src/core/ and src/ui/")
            continue
        if relative in layer and layer[relative] != folder:
            faults.append(f"src/{relative} is compiled into {LAYERS[layer[relative]]} "
                          f"but its folder is {LAYERS[folder]}'s")
        layer.setdefault(relative, folder)

    def text_of(relative):
        for base in roots:
            path = base / relative
            if path.exists():
                return path.read_text(encoding="utf-8")
        return ""

    def includes(relative):
        return [name for name in re.findall(r'^#include "([^"]+)"', text_of(relative), re.M)
                if any((b / name).exists() for b in roots)]

    resolving = set()

    def layer_of(relative):
        if relative in layer:
            return layer[relative]
        if relative in resolving:
            return 0
        resolving.add(relative)
        layer[relative] = max([layer_of(name) for name in includes(relative)], default=0)
        return layer[relative]

    widgets = widget_headers()
    for relative in sorted(list(layer)):
        own = layer[relative]
        for name in includes(relative):
            if layer_of(name) > own:
                faults.append(f"src/{relative} ({LAYERS[own]}) includes {name} ({LAYERS[layer_of(name)]})")
        if own <= LAYERS.index("vantell_core"):
            for name in re.findall(r"^#include <([^>]+)>", text_of(relative), re.M):
                if name in widgets or name.startswith(("QtWidgets", "QWebEngine", "QtWebEngine")):
                    faults.append(f"src/{relative} ({LAYERS[own]}) includes the window header <{name}>")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} layer violations in {len(layer)} files")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)))

#!/usr/bin/env python3
"""Fails, naming the file and line, when an include points against the order of the layers.

Report engine (report/core), each layer using only those before it:
    base <- value <- {language, printer, data} <- model <- {file, prepared} <- render <- building
         <- designer <- output <- engine
Around it: net and report/core use no Qt; report/qt may not use report/ui; app/logic uses no
widgets and not app/windows; nothing below app uses app. Tests of a layer include only what
that layer may include, plus test support.
"""
import os
import re
import sys

ORDER = [
    ("base",),
    ("value",),
    ("language", "printer", "data"),
    ("model",),
    ("file", "prepared"),
    ("render",),
    ("building",),
    ("designer",),
    ("output",),
    ("engine",),
]
RANK = {layer: rank for rank, group in enumerate(ORDER) for layer in group}


def core_layer_allows(layer, used):
    return used == layer or RANK[used] < RANK[layer]


INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
QT_HEADER = re.compile(r"^Q[A-Za-z]+$|^Qt[A-Za-z]*/")


def area_of(path):
    """(area, layer) of a source path, e.g. ("core", "model") or ("net", None)."""
    parts = path.split("/")
    if parts[:2] == ["report", "core"] and len(parts) > 3:
        return "core", parts[2]
    if parts[:3] == ["tests", "report", "core"] and len(parts) > 4:
        return "core-test", parts[3]
    if parts[:2] in (["report", "qt"], ["report", "ui"]):
        return parts[1], None
    if parts[:2] in (["app", "logic"], ["app", "windows"]):
        return "app-" + parts[1], None
    if parts[0] in ("net",):
        return "net", None
    return None, None


def check_include(area, layer, target, angle):
    """An error text, or None when the include is allowed."""
    qt = angle and QT_HEADER.match(target)
    tparts = target.split("/")
    tcore = tparts[:2] == ["report", "core"] and len(tparts) > 3
    if area in ("core", "core-test"):
        if area == "core-test" and layer == "support":
            return None
        if layer not in RANK:
            return f"unknown engine layer '{layer}'"
        if qt:
            return "the engine uses no Qt"
        if tcore:
            used = tparts[2]
            if used not in RANK:
                return f"unknown engine layer '{used}'"
            if not core_layer_allows(layer, used):
                return f"layer '{layer}' may not use layer '{used}'"
        elif not angle and tparts[0] in ("report", "app", "net", "tools"):
            return f"the engine may not use {'/'.join(tparts[:2])}"
        return None
    if area == "net":
        if qt:
            return "net uses no Qt"
        if not angle and tparts[0] in ("report", "app", "tools"):
            return f"net may not use {tparts[0]}"
    if area == "qt" and not angle and (tparts[:2] == ["report", "ui"] or tparts[0] == "app"):
        return f"report/qt may not use {'/'.join(tparts[:2])}"
    if area == "ui" and not angle and tparts[0] == "app":
        return "report/ui may not use app"
    if area == "app-logic":
        if qt:
            return "the program's logic uses no Qt"
        if not angle and (tparts[:2] in (["app", "windows"], ["report", "qt"], ["report", "ui"])):
            return f"the program's logic may not use {'/'.join(tparts[:2])}"
    return None


def main(root):
    errors = []
    for top in ("report", "net", "app", "tests"):
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                full = os.path.join(folder, name)
                path = os.path.relpath(full, root)
                area, layer = area_of(path)
                if area is None:
                    continue
                with open(full, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        problem = check_include(area, layer, match.group(2), match.group(1) == "<")
                        if problem:
                            errors.append(f"{path}:{number}: {match.group(2)}: {problem}")
    for error in errors:
        print(error, file=sys.stderr)
    if errors:
        print(f"check-layers: {len(errors)} include(s) against the layer order", file=sys.stderr)
        return 1
    print("check-layers: every include follows the layer order")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")))

#!/usr/bin/env python3
"""Fails when a source folder includes a header of a layer it may not use.

Every include of the project's own headers is written from the source root
("ui/DataExchange.h"), so its first path element names its layer. A folder
not named in LAYERS is a feature: it may use the shared layers below the
shell, never the shell (app) and never another feature.
"""
import pathlib
import re
import sys

# What each layer may include besides itself, lowest layers first.
LAYERS = {
    "dcerpc": set(),
    "platform": set(),
    "server": {"dcerpc"},
    "core": {"platform"},
    "voice": {"platform"},
    "ui": {"core", "server", "platform", "dcerpc"},
    # Recorded prompts and names: the voice dialog and its transfers. The
    # features that open them get them from the program, never by include.
    "prompts": {"ui", "core", "server", "voice", "platform", "dcerpc"},
    "app": {"ui", "core", "server", "platform", "dcerpc"},
    # The command-line administration program: no widgets, the client layers only.
    "ctl": {"core", "server", "platform", "dcerpc"},
}
FEATURE_MAY_USE = {"ui", "core", "server", "voice", "platform", "dcerpc"}
PROGRAM = "gui"  # main(): builds the command table from the shell and every feature

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def allowed(folder, target, features):
    if target == folder:
        return True
    if folder == PROGRAM:
        return True
    if folder in LAYERS:
        return target in LAYERS[folder]
    return target in FEATURE_MAY_USE


def check(src):
    folders = sorted(p.name for p in src.iterdir() if p.is_dir())
    features = {f for f in folders if f not in LAYERS and f != PROGRAM}
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        folder = path.relative_to(src).parts[0]
        for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
            where = path.relative_to(src)
            if "/" not in name:
                if not name.startswith("ui_"):  # forms generated beside the folder
                    faults.append(f"{where}: \"{name}\" is not written from the source root")
                continue
            target = name.split("/")[0]
            if target not in folders:
                faults.append(f"{where}: \"{name}\" names no source folder")
            elif not allowed(folder, target, features):
                faults.append(f"{where}: {folder}/ may not include \"{name}\"")
    return faults


def self_test():
    """The check must catch what it is for: a tree with planted faults."""
    import tempfile

    planted = {
        "ui/A.h": '#include "core/B.h"\n',
        "core/B.h": '#include "ui/A.h"\n',                 # upwards
        "mailbox/C.cpp": '#include "app/D.h"\n#include "grouplists/E.h"\n',
        "app/D.h": '#include "mailbox/C.h"\n',             # the shell naming a feature
        "grouplists/E.h": '#include "E2.h"\n#include "ui_E.h"\n',  # bare, generated
    }
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        for name, text in planted.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text)
        found = len(check(root))
    if found != 5:
        print(f"self-test: {found} of 5 planted faults found")
        return False
    return True


def main():
    if not self_test():
        return 2
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    faults = check(src)
    for fault in faults:
        print(fault)
    print(f"{len(faults)} layering fault(s) in {src}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks that every include of the program's sources points down the layers.

The folders are libraries stacked bottom to top; a file may include from its own layer or one
below it. The engine and the remote interface use no Qt at all, and the engine opens no sockets;
the platform helpers, the language table and the file formats use no Qt widgets.

    check_layers.py SOURCE_DIR      checks the tree, one line per fault, exit 1 when any
    check_layers.py --self-test     runs the check on small made-up trees
"""
import re
import sys
import tempfile
from pathlib import Path

# Bottom to top. A folder inside another belongs to the longest one that names it.
LAYERS = ["platform", "engine", "i18n", "formats", "remote", "document", "view", "shell", "tools"]
QT_FREE = {"platform", "engine", "i18n", "remote"}
WIDGET_FREE = QT_FREE | {"formats"}
SOCKET_FREE = {"platform", "engine", "i18n", "formats"}
SOCKET_HEADERS = {"sys/socket.h", "netinet/in.h", "netinet/tcp.h", "arpa/inet.h", "netdb.h",
                  "sys/un.h", "poll.h", "sys/epoll.h"}
QT_WIDGET_MODULES = ("QtWidgets/", "QtPrintSupport/")
QT_WIDGET_CLASSES = re.compile(r"^Q(Widget|Dialog|MainWindow|Mdi|Menu|Push|Label|Line|Layout|"
                               r"Application|Message|Print|Scroll|Slider|Combo|Tab|Tool|Abstract"
                               r"Button|Box|Spin|Check|Radio|Group|Frame|Style|Splash|Status)")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".c"}


def layer_of(relative):
    top = relative.split("/", 1)[0]
    return top if top in LAYERS else None


def faults_in(root):
    faults = []
    for layer in LAYERS:
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            name = path.relative_to(root).as_posix()
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quoted, target = match.group(1) == '"', match.group(2)
                where = f"{name}:{number}"
                if quoted:
                    target_layer = layer_of(target)
                    if target_layer and LAYERS.index(target_layer) > LAYERS.index(layer):
                        faults.append(f"{where}: {layer}/ includes {target} from the layer "
                                      f"above it, {target_layer}/")
                    continue
                is_qt = target.startswith("Qt") or re.match(r"^Q[A-Z]", target)
                if layer in QT_FREE and is_qt:
                    faults.append(f"{where}: {layer}/ uses no Qt, but includes <{target}>")
                elif layer in WIDGET_FREE and (target.startswith(QT_WIDGET_MODULES) or
                                               QT_WIDGET_CLASSES.match(target)):
                    faults.append(f"{where}: {layer}/ uses no Qt widgets, but includes <{target}>")
                if layer in SOCKET_FREE and target in SOCKET_HEADERS:
                    faults.append(f"{where}: {layer}/ opens no sockets, but includes <{target}>")
    return faults


def self_test():
    cases = [  # (file, its text, how many faults)
        ("engine/a.cpp", '#include "engine/b.h"\n#include <vector>\n', 0),
        ("view/a.cpp", '#include "formats/csv_file.h"\n#include <QWidget>\n', 0),
        ("engine/a.cpp", '#include "view/wave_display.h"\n', 1),
        ("formats/a.cpp", '#include "document/multi_tessel_doc.h"\n', 1),
        ("i18n/a.h", '  #  include "shell/main_frame.h"\n', 1),
        ("engine/device_library/a.cpp", '#include "remote/scpi_server.h"\n', 1),
        ("engine/a.cpp", "#include <QString>\n", 1),
        ("remote/a.cpp", "#include <QtCore/QObject>\n#include <sys/socket.h>\n", 1),
        ("engine/a.cpp", "#include <sys/socket.h>\n", 1),
        ("formats/a.cpp", "#include <QString>\n#include <QDialog>\n", 1),
        ("document/a.cpp", '#include "shell/main_frame.h"\n', 1),
        ("tools/cli/a.cpp", '#include "shell/main_frame.h"\n', 0),
    ]
    failed = 0
    for file, text, expected in cases:
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / file
            path.parent.mkdir(parents=True)
            path.write_text(text)
            found = faults_in(Path(folder))
            if len(found) != expected:
                failed += 1
                print(f"FAIL {file} {text!r}: expected {expected} faults, found {found}")
    print(f"{len(cases) - failed} passed, {failed} failed")
    return 1 if failed else 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = Path(sys.argv[1])
    missing = [layer for layer in LAYERS if not (root / layer).is_dir()]
    if missing:
        print(f"not a source tree: no {', '.join(missing)} in {root}")
        return 1
    faults = faults_in(root)
    for fault in faults:
        print(fault)
    print(f"{len(faults)} upward or forbidden includes")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

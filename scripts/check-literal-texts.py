#!/usr/bin/env python3
"""Fails when a window sets a user-visible text from a string literal instead of the string table.

Every caption, title, hint, menu command and message comes from resources/stringtable.h through
i18n() (see docs/HACKING.md), so that every language's catalogue translates it. This looks in the
sources (src/) for the calls that show a text and for widgets made with one, and reports each whose
text is a literal with a letter in it. Usage: scripts/check-literal-texts.py [repository root]
"""
import re
import sys
from pathlib import Path

# Calls whose (first) argument is shown to the user.
SHOWING = ("setText", "setWindowTitle", "setToolTip", "setStatusTip", "setWhatsThis", "setTitle",
           "setPlaceholderText", "setAccessibleName", "setAccessibleDescription", "addAction", "addMenu",
           "setItemText", "addItem", "addItems", "insertItem", "setTabText", "addTab", "setLabelText",
           "setButtonText", "setHeaderLabels", "setHtml", "showMessage", "setWindowIconText", "message", "question")
# Widgets and actions made with their text.
MADE_WITH_TEXT = ("QLabel", "QPushButton", "QCheckBox", "QRadioButton", "QGroupBox", "QAction", "QMenu",
                  "QToolButton", "QCommandLinkButton")

LITERAL = r'(?:QStringLiteral|QLatin1String|QLatin1StringView|QString::fromUtf8|QString::fromLatin1|QString|tr|u8)?' \
          r'\s*\(?\s*"((?:[^"\\]|\\.)*)"'
CALL = re.compile(r"\b(" + "|".join(SHOWING) + r")\s*\(\s*(?:\{\s*)?" + LITERAL)
MADE = re.compile(r"\bnew\s+(" + "|".join(MADE_WITH_TEXT) + r")\s*\(\s*" + LITERAL)


def shows_words(literal):
    return re.search(r"[A-Za-z]{2,}", literal) is not None


def faults_in(path, text):
    faults = []
    for pattern in (CALL, MADE):
        for match in pattern.finditer(text):
            if shows_words(match.group(2)):
                line = text.count("\n", 0, match.start()) + 1
                faults.append(f"{path}:{line}: {match.group(1)} shows the literal \"{match.group(2)}\"")
    return faults


def main(root):
    faults = []
    for path in sorted((root / "src").rglob("*.cpp")) + sorted((root / "src").rglob("*.h")):
        # Comments may quote texts.
        text = re.sub(r"//[^\n]*", "", path.read_text(encoding="utf-8"))
        text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.S)
        faults += faults_in(path.relative_to(root), text)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} texts do not come from resources/stringtable.h through i18n()")
        return 1
    print("every text shown comes from the string table")
    return 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)))

#!/usr/bin/env python3
"""The message catalogues (resources/po/): bring them up to date, see what is left to translate,
start a new language, and check that every catalogue is complete.

    scripts/catalogues.py update          # vantell.pot from the texts; every <lang>.po merged with it
    scripts/catalogues.py todo [LANG...]  # what is left to translate, as PO entries to fill in
    scripts/catalogues.py new LANG        # resources/po/LANG.po, every text still to translate
    scripts/catalogues.py check           # fails unless vantell.pot is current and every catalogue
                                          # holds every text, translated, none fuzzy, none extra

The texts come from the string table (resources/stringtable.h), the menu entry, the file types and
the software centres' description (resources/desktop/). After `update`, translate what `todo`
lists in the catalogues themselves; `check` (run by the test test_catalogues) guards the result.
"""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
RESOURCES = ROOT / "resources"
PO = RESOURCES / "po"
POT = PO / "vantell.pot"
SOURCES = ["stringtable.h", "desktop/vantell.desktop", "desktop/vantell-mime.xml",
           "desktop/com.korvanex.vantell.metainfo.xml"]


def run(*command, **options):
    return subprocess.run(command, check=True, text=True, capture_output=True, **options)


def catalogues():
    return sorted(PO.glob("*.po"))


def make_pot(target):
    """Extracts every user-visible text into `target`: gettext's own rules read the menu entry, the
    file types and the metainfo; the string table marks its texts with N_()."""
    run("xgettext", "--from-code=UTF-8", "-k", "-kN_", "--package-name=vantell", "-o", str(target),
        SOURCES[0], cwd=RESOURCES)
    run("xgettext", "--from-code=UTF-8", "--package-name=vantell", "--join-existing", "-o", str(target),
        *SOURCES[1:], cwd=RESOURCES)


def message_ids(path):
    """The message ids of a catalogue or template (without the header), obsolete ones left out."""
    text = run("msgattrib", "--no-obsolete", "--no-wrap", "--no-location", str(path)).stdout
    ids = set()
    for block in text.split("\n\n"):
        lines = [line for line in block.splitlines() if line and not line.startswith("#")]
        entry, field = {}, None
        for line in lines:
            match = re.match(r'(msgctxt|msgid|msgid_plural|msgstr(?:\[\d+\])?) "(.*)"$', line)
            if match:
                field = match.group(1)
                entry[field] = match.group(2)
            elif line.startswith('"') and field:
                entry[field] += line[1:-1]
        if entry.get("msgid"):
            ids.add((entry.get("msgctxt"), entry["msgid"]))
    return ids


def statistics(path):
    """(translated, fuzzy, untranslated) as msgfmt --check --statistics counts them."""
    result = subprocess.run(["msgfmt", "--check", "--statistics", "-o", "/dev/null", str(path)], text=True,
                            capture_output=True)
    if result.returncode != 0:
        raise SystemExit(f"{path.name}: msgfmt --check failed:\n{result.stderr}")
    counts = [0, 0, 0]
    for number, kind in re.findall(r"(\d+) (translated|fuzzy|untranslated)", result.stderr):
        counts[["translated", "fuzzy", "untranslated"].index(kind)] = int(number)
    return tuple(counts)


def update():
    make_pot(POT)
    for po in catalogues():
        # No fuzzy guesses: a new text is left untranslated rather than given a near one's words.
        run("msgmerge", "--quiet", "--update", "--backup=none", "--no-fuzzy-matching", str(po), str(POT))
        run("msgattrib", "--no-obsolete", "-o", str(po), str(po))
    report()


def report():
    for po in catalogues():
        translated, fuzzy, untranslated = statistics(po)
        print(f"{po.stem}: {translated} translated, {fuzzy} fuzzy, {untranslated} untranslated")


def todo(languages):
    for po in catalogues():
        if languages and po.stem not in languages:
            continue
        left = run("msgattrib", "--no-obsolete", "--only-fuzzy", str(po)).stdout + \
            run("msgattrib", "--no-obsolete", "--untranslated", str(po)).stdout
        entries = [block for block in left.split("\n\n") if 'msgid ""\nmsgstr ""' not in block and block.strip()]
        print(f"# {po.name}: {len(entries)} to translate")
        for block in entries:
            print(block.strip() + "\n")


def new(language):
    target = PO / f"{language}.po"
    if target.exists():
        raise SystemExit(f"{target} exists already")
    run("msginit", "--no-translator", f"--locale={language}", "-i", str(POT), "-o", str(target))
    print(f"{target}: translate it, then run `scripts/catalogues.py check`")


def check():
    faults = []
    with tempfile.TemporaryDirectory() as folder:
        fresh = Path(folder) / "vantell.pot"
        make_pot(fresh)
        expected = message_ids(fresh)
    if message_ids(POT) != expected:
        faults.append("resources/po/vantell.pot is not current: run scripts/catalogues.py update")
    for po in catalogues():
        ids = message_ids(po)
        missing, extra = expected - ids, ids - expected
        translated, fuzzy, untranslated = statistics(po)
        print(f"{po.stem}: {translated} translated, {fuzzy} fuzzy, {untranslated} untranslated, "
              f"{len(missing)} missing, {len(extra)} not used")
        if missing or extra or fuzzy or untranslated:
            faults.append(f"{po.name} is not complete: {len(missing)} texts missing, {len(extra)} not used, "
                          f"{fuzzy} fuzzy, {untranslated} untranslated (scripts/catalogues.py todo {po.stem})")
            for context, msgid in sorted(missing | extra, key=lambda item: item[1])[:10]:
                faults.append(f"    {'missing' if (context, msgid) in missing else 'not used'}: {msgid!r}")
    for fault in faults:
        print("FAIL:", fault)
    return 1 if faults else 0


def main(arguments):
    if not arguments:
        raise SystemExit(__doc__)
    command, rest = arguments[0], arguments[1:]
    if command == "update":
        update()
    elif command == "todo":
        todo(rest)
    elif command == "new" and len(rest) == 1:
        new(rest[0])
    elif command == "check":
        return check()
    else:
        raise SystemExit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""Brings a catalogue up to date with po/vantell.pot: keeps existing translations, adds new ids
untranslated. Usage: scripts/po-merge.py resources/po/de.po"""
import subprocess
import sys

subprocess.run(["msgmerge", "--quiet", "--update", "--backup=none", sys.argv[1], "resources/po/vantell.pot"],
               check=True)

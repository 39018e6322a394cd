#!/usr/bin/env python3
"""Checks every Quran quotation in the data against a Quran text, word for word.

A quotation is written ﴿...﴾ (السورة: N) or ﴿...﴾ (السورة: N-M). It must be a
run of whole words of that verse (or of those verses, read one after the
other), character for character as the reference writes them: the Uthmani
text, fully vocalized. The reference is Tanzil's Uthmani text as the npm
package "quran" (0.0.9) ships it in an SQLite file; the script fetches the
package with `npm pack` into a cache folder the first time.

    tools/quran/checkquotes.py [--fix] [--reference FILE] [FILES...]

With no files it reads data/dream/*.tsv and data/encyclopedia/*.txt. It lists
every quotation that is not exact, with the verse's words closest to it, and
exits 1 if there is one. With --fix it writes the closest words of the verse
in place of a quotation when their letters, read without vowels and the
spelling differences of the Uthmani script, are the quotation's own; a
quotation that says something else is left for a person to read.
"""

import argparse
import difflib
import glob
import os
import re
import sqlite3
import subprocess
import sys
import tarfile
import tempfile

PACKAGE = "quran@0.0.9"
QUOTE = re.compile(r"﴿([^﴾]*)﴾(\s*)\(([^():]+):\s*([0-9]+)(?:\s*-\s*([0-9]+))?\)")

HARAKAT = set(range(0x064B, 0x0660)) | {0x0670, 0x0640} | set(range(0x06D6, 0x06EE)) | set(range(0x08D3, 0x0900))


def fold(text):
    """Letters only: no vowels or Quranic marks, one alef, one final ya."""
    out = []
    for ch in text:
        c = ord(ch)
        if c in HARAKAT:
            continue
        if ch in "أإآٱ":
            ch = "ا"
        elif ch == "ى":
            ch = "ي"
        elif ch == "ة":
            ch = "ه"
        out.append(ch)
    return "".join(out)


def skeleton(text):
    """What the imla'i and the Uthmani spellings of a word share: folded
    letters without alef, waw, ya or hamza, which the two scripts write
    differently (العالمين/ٱلْعَٰلَمِينَ، الصلاة/ٱلصَّلَوٰةَ، يا أيها/يَٰٓأَيُّهَا), and
    a doubled letter once."""
    letters = [ch for ch in fold(text) if ch not in "اويءئؤ "]
    # ٱلَّيْلِ writes with one lam what الليل writes with two.
    return "".join(ch for i, ch in enumerate(letters) if i == 0 or ch != letters[i - 1])


def cache_dir():
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(base, "velkaram-quran")


def reference_file():
    folder = cache_dir()
    db = os.path.join(folder, "qurandb")
    if os.path.exists(db):
        return db
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["npm", "pack", PACKAGE, "--silent"], cwd=tmp, check=True, stdout=subprocess.DEVNULL)
        tgz = next(f for f in os.listdir(tmp) if f.endswith(".tgz"))
        with tarfile.open(os.path.join(tmp, tgz)) as tar:
            member = tar.getmember("package/data/qurandb")
            with tar.extractfile(member) as src, open(db + ".part", "wb") as dst:
                dst.write(src.read())
    os.replace(db + ".part", db)
    return db


class Quran:
    def __init__(self, path):
        con = sqlite3.connect(path)
        self.suras = {fold(name): number for number, name in con.execute("SELECT id, arname FROM chapters")}
        self.verses = {(c, v): text for c, v, text in con.execute("SELECT chapter, verse, ar FROM ar")}
        con.close()

    def words(self, sura, first, last):
        number = self.suras.get(fold(sura.strip()))
        if number is None:
            return None
        out = []
        for verse in range(first, last + 1):
            text = self.verses.get((number, verse))
            if text is None:
                return None
            out.extend(text.split())
        return out


def closest(quote_words, verse_words):
    """The run of verse words closest to the quotation, and how close (0..1)."""
    target = skeleton("".join(quote_words))
    best, best_ratio = (0, 0), -1.0
    n = len(quote_words)
    for i in range(len(verse_words)):
        for j in range(i + 1, min(len(verse_words), i + n + 4) + 1):
            ratio = difflib.SequenceMatcher(None, target, skeleton("".join(verse_words[i:j])), autojunk=False).ratio()
            if ratio > best_ratio:
                best, best_ratio = (i, j), ratio
    return verse_words[best[0]:best[1]], best_ratio


def is_exact(quote_words, verse_words):
    n = len(quote_words)
    return any(verse_words[i:i + n] == quote_words for i in range(len(verse_words) - n + 1))


def check_file(path, quran, fix, report):
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    changed = False
    for number, line in enumerate(lines, 1):
        def mend(m):
            nonlocal changed
            quote, gap, sura, first, last = m.group(1), m.group(2), m.group(3), int(m.group(4)), m.group(5)
            last = int(last) if last else first
            where = f"{path}:{number}: ({sura}: {m.group(4)}{'-' + m.group(5) if m.group(5) else ''})"
            verse = quran.words(sura, first, last)
            report["total"] += 1
            if verse is None:
                report["bad"].append(f"{where}: no such sura or verse")
                return m.group(0)
            words = quote.split()
            if is_exact(words, verse):
                report["exact"] += 1
                return m.group(0)
            best, ratio = closest(words, verse)
            same_letters = skeleton("".join(best)) == skeleton("".join(words))
            if fix and same_letters:
                report["fixed"] += 1
                changed = True
                return f"﴿{' '.join(best)}﴾{gap}({sura.strip()}: {m.group(4)}{'-' + m.group(5) if m.group(5) else ''})"
            report["bad"].append(f"{where}: ﴿{quote}﴾\n    closest ({ratio:.2f}{', same letters' if same_letters else ''}): ﴿{' '.join(best)}﴾")
            return m.group(0)
        new = QUOTE.sub(mend, line)
        if new != line:
            lines[number - 1] = new
    if changed:
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--fix", action="store_true", help="write the reference's words for quotations with the same letters")
    parser.add_argument("--reference", help="Tanzil SQLite file (default: fetched with npm pack)")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    files = args.files or sorted(glob.glob(os.path.join(root, "data/dream/*.tsv")) + glob.glob(os.path.join(root, "data/encyclopedia/*.txt")))
    quran = Quran(args.reference or reference_file())
    report = {"total": 0, "exact": 0, "fixed": 0, "bad": []}
    for path in files:
        check_file(path, quran, args.fix, report)
    for line in report["bad"]:
        print(line)
    print(f"{report['total']} quotations: {report['exact']} exact, {report['fixed']} rewritten from the reference, {len(report['bad'])} to read")
    return 1 if report["bad"] else 0


if __name__ == "__main__":
    sys.exit(main())

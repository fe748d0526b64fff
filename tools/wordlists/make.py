#!/usr/bin/env python3
"""Builds the word lists the program ships.

Every file tools/wordlists/src/<name>.<EXT>.txt (UTF-8, one list line per line, lines that
begin with '#' are notes and are left out) becomes data/LS1DAT/<name>.<EXT>: code page 437,
every line ended with CR LF, as the trainer's own editor saves a list.

A list is written only when every line keeps the input rules the editor shows for its
program, plus the few things the exercises need to play a list fairly (see README.md). Any
broken line is reported as "file:line: what is wrong" and nothing is written; the exit
status is then 1.

    tools/wordlists/make.py            check and write
    tools/wordlists/make.py --check    check only
"""

import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
SRC = HERE / "src"
OUT = HERE.parent.parent / "data" / "LS1DAT"

EXTENSIONS = ("WWT", "VWT", "EWT", "OWT", "BWT", "AWT", "KWT", "UWT", "RWT")

# What the editor lets the teacher type: 'A'..'z', ',' .. '9', blank, '!', '?' and the
# German letters of code page 437.
TYPEABLE = set(chr(c) for c in range(65, 123)) | set(chr(c) for c in range(44, 58))
TYPEABLE |= set(" !?äöüÄÖÜß")
MAX_LINE = 74          # typing stops at column 75
MAX_LINES = 300        # "Begrenzung = 300 Wörter"
SHIPPED_LINES = (15, 40)
MAX_NAME = 25          # names the editor's save prompt accepts

LETTER = "A-Za-zäöüÄÖÜß"


class ListError(Exception):
    def __init__(self, index, text):
        super().__init__(text)
        self.index = index  # 0-based index into the list lines


def letters(text):
    """Length of a text without its separators, as the rule texts count "Buchstaben"."""
    return len(text.replace("-", "").replace("_", ""))


def is_word(text):
    return re.fullmatch(f"[{LETTER}]+", text) is not None


def split_article(line):
    """An article is the text up to a blank that comes before the first '-'."""
    head = line.split("-", 1)[0]
    if " " in head:
        cut = head.index(" ") + 1
        return line[:cut], line[cut:]
    return "", line


def need(cond, index, text):
    if not cond:
        raise ListError(index, text)


def check_article(article, index):
    need(article == "" or is_word(article[:-1]), index,
         "an article is one word followed by one blank")


# --- one checker per extension; each gets the list lines and raises ListError ----------

def check_wwt(lines):
    for i, line in enumerate(lines):
        parts = line.split("-")
        need(len(parts) == 2 and all(is_word(p) for p in parts), i,
             "two words joined by one '-' (Wörter durch Bindestrich trennen)")
        need(all(len(p) <= 15 for p in parts), i, "a word has more than 15 letters")
        need(parts[0] != parts[1], i, "the two words are equal, so 'same' could never be right")


def parts_line(line, index, sep, what):
    parts = line.split(sep)
    need(all(is_word(p) for p in parts), index,
         f"line 1 names the {what}, joined by '{sep}'")
    need(len(parts) <= 16, index, f"line 1 names more than 16 {what}")
    return parts


def in_first_line(part, first, index, what):
    variants = {part, part[:1].swapcase() + part[1:]}
    need(variants & set(first), index, f"the {what} '{part}' is missing from line 1")


def check_vwt(lines):
    first = parts_line(lines[0], 0, "-", "prefixes")
    for i, line in enumerate(lines[1:], 1):
        article, rest = split_article(line)
        check_article(article, i)
        pieces = rest.split("-")
        prefixes, stem = pieces[:-1], pieces[-1]
        need(1 <= len(prefixes) <= 7, i, "1 to 7 prefixes, each followed by '-', then the word")
        need(all(is_word(p) for p in prefixes), i, "a prefix is empty or not a word")
        need(all(is_word(s) for s in stem.split("_")), i,
             "the word's syllables are joined by '_' (ver-ste_hen)")
        need(letters(line) <= 30, i, "more than 30 letters")
        for p in prefixes:
            in_first_line(p, first, i, "prefix")


def check_ewt(lines):
    first = parts_line(lines[0], 0, "_", "endings")
    need("-" not in lines[0], 0, "endings in line 1 are joined by '_'")
    for i, line in enumerate(lines[1:], 1):
        need("_" in line, i, "each ending follows its own '_' (ab-bei_ßen_zen)")
        stem, *endings = line.split("_")
        need(all("-" not in e for e in endings), i, "no '-' after the first '_'")
        need(1 <= len(endings) <= 7, i, "1 to 7 endings")
        need(all(is_word(e) for e in endings), i, "an ending is empty or not a word")
        article, stem = split_article(stem)
        check_article(article, i)
        syllables = stem[:-1].split("-") if stem.endswith("-") else stem.split("-")
        need(all(is_word(s) for s in syllables), i,
             "the stem's syllables are joined by '-' (a final '-' may end the stem)")
        need(len(syllables) + len(endings) <= 10, i, "more than 10 syllables and endings")
        need(letters(line) <= 30, i, "more than 30 letters")
        for e in endings:
            in_first_line(e, first, i, "ending")


def check_owt(lines):
    for i, line in enumerate(lines):
        article, rest = split_article(line)
        check_article(article, i)
        need(article == "" or len(article) <= 6, i,
             "an article ends with a blank within the first 6 characters")
        syllables = rest.split("-")
        need(all(is_word(s) for s in syllables), i, "syllables joined by '-' (Kaf-fee-tas-se)")
        need(2 <= len(syllables) <= 9, i,
             "2 to 9 syllables (one syllable is never asked, the syllable count is one key)")
        need(letters(line) <= 30, i, "more than 30 letters")
        need(len(rest) <= 27, i, "the word after the article is longer than 27 characters")


def bwt_brick(line, index):
    need(line.count("-") == 2, index,
         "exactly one part to work on, beginning and ending with '-' (der -kalte- Winter)")
    brick = line.split("-")[1]
    need(brick.strip() == brick and brick != "" and " " not in brick, index,
         "the part between the two '-' is one word")
    need(len(line) <= 30, index, "more than 30 characters")
    return brick


def check_bwt(lines):
    bricks = [bwt_brick(line, i) for i, line in enumerate(lines)]
    # A task lays out the bricks of five lines in a row; the mouse takes a brick by its place,
    # so two equal bricks among them would make a right choice count as a mistake.
    for i in range(len(lines)):
        window = [bricks[(i + k) % len(bricks)] for k in range(5)]
        need(len(set(window)) == 5, i, "the same part appears twice within five lines in a row")


def check_awt(lines):
    for i, line in enumerate(lines):
        compound, sep, pair = line.rpartition("_")
        need(bool(sep) == ("_" in lines[0]), i,
             "the line is not written like line 1 (Nicht beide Eingabearten in einer Datei)")
        parts = pair.split("-")
        need(len(parts) == 2 and all(is_word(p) for p in parts), i,
             "two word parts joined by '-' (Kaffee-tasse or Kaffeetasse_Tasse-Kaffee)")
        need(all(len(p) <= 12 for p in parts), i, "a word part has more than 12 letters")
        need(not sep or is_word(compound), i, "the word before '_' is one word")


def check_kwt(lines):
    block = []
    for i, line in enumerate(lines):
        if i == 0 and line.startswith("/"):
            line = line[1:]
        if line.startswith("-"):
            need(re.fullmatch(r"-[0-9]?", line) is not None, i,
                 "a separator line is '-', or '-' and one digit")
            need(len(block) in (4, 6, 8), i, "a group has 4, 6 or 8 words before its '-' line")
            block = []
            continue
        parts = line.split("-")
        need(len(parts) == 2 and all(is_word(p) for p in parts), i,
             "two word parts joined by one '-' (Autobahn-auffahrt)")
        need(all(len(p) <= 8 for p in parts), i, "a word part has more than 8 letters")
        for k, side in ((0, "first"), (1, "second")):
            need(all(b[k] != parts[k] for b in block), i,
                 f"the {side} part '{parts[k]}' appears twice in one group")
        block.append(parts)
    need(block == [], len(lines) - 1, "the last line must be a '-' line")


def check_uwt(lines):
    for i in (0, 1):
        need(len(lines[i].lstrip("!")) > 1, i, "lines 1 and 2 hold the rule")
    need("!" not in lines[1][:1], 1, "only line 1 may start with '!'")
    for i, line in enumerate(lines[2:], 2):
        forms = line.split("-")
        need(len(forms) == 2, i, "two forms joined by one '-' (der Bäcker-backen)")
        for form in forms:
            words = form.split(" ")
            need(1 <= len(words) <= 2 and all(is_word(w) for w in words), i,
                 "a form is a word, or an article, a blank and a word")


def rwt_groups(line):
    return re.findall(r"(?:^| )-([a-zäöüß]{1,2})(?= |$)", line)


def check_rwt(lines):
    groups = rwt_groups(lines[0])
    need(1 <= len(groups) <= 15 and lines[0].count("-") == len(groups), 0,
         "line 1 holds 1 to 15 letter groups, each '-' and one or two letters (Aus -a -e -ie)")
    # The exercise takes the last group of the line as one letter, and the first group that
    # fits at a place: a single letter must not come before a pair that starts with it.
    need(len(groups[-1]) == 1, 0, "the last letter group of line 1 has one letter")
    for k, g in enumerate(groups):
        need(all(not (len(h) == 1 and g.startswith(h)) for h in groups[:k]), 0,
             f"the group '{g}' comes after a single letter that would always match first")
    marks = re.findall(r"[-_](.)", lines[1])
    need(len(marks) == 1, 1, "line 2 holds the placeholder, '-' or '_' and one character")
    placeholder = marks[0]
    for i, line in enumerate(lines[2:], 2):
        words = line.split(" ")
        need(1 <= len(words) <= 2 and all(is_word(w) for w in words), i,
             "a word, or an article, a blank and a word")
        word = words[-1]
        need(len(word) <= 30, i, "the word has more than 30 letters")
        need(placeholder not in word, i, f"the word holds the placeholder '{placeholder}'")
        need(any(g in word for g in groups), i, "no letter group of line 1 occurs in the word")


CHECKS = {"WWT": check_wwt, "VWT": check_vwt, "EWT": check_ewt, "OWT": check_owt,
          "BWT": check_bwt, "AWT": check_awt, "KWT": check_kwt, "UWT": check_uwt,
          "RWT": check_rwt}


def check_name(stem, ext):
    if ext not in EXTENSIONS:
        return f"the extension must be one of {', '.join(EXTENSIONS)}"
    if not re.fullmatch(r"[A-Za-z0-9 ][A-Za-z0-9 -]*", stem) or len(stem) > MAX_NAME:
        return f"a list name has 1 to {MAX_NAME} letters, digits, blanks or '-' (not first)"
    return None


def check_line(line):
    for ch in line:
        try:
            ch.encode("cp437")
        except UnicodeEncodeError:
            return f"the character {ch!r} is not in code page 437"
        if ch not in TYPEABLE:
            return f"the character {ch!r} cannot be typed in the editor"
    if len(line) > MAX_LINE:
        return f"longer than {MAX_LINE} characters"
    if line.strip() == "":
        return "an empty line (the editor never saves one)"
    if line != line.rstrip(" "):
        return "a blank at the end (the editor drops it when saving)"
    if line != line.lstrip(" "):
        return "a blank at the start (the exercises would read a word before it)"
    return None


def read_source(path):
    """The list lines of a source file with their line numbers in it."""
    lines, numbers, errors = [], [], []
    text = path.read_bytes().decode("utf-8")
    for number, raw in enumerate(text.split("\n"), 1):
        raw = raw.rstrip("\r")
        if raw.startswith("#") or (raw == "" and number == text.count("\n") + 1):
            continue
        problem = check_line(raw)
        if problem:
            errors.append(f"{path.name}:{number}: {problem}")
        lines.append(raw)
        numbers.append(number)
    return lines, numbers, errors


def build(path):
    """Checks one source; returns (output name, bytes, errors)."""
    stem, _, ext = path.name[: -len(".txt")].rpartition(".")
    problem = check_name(stem, ext)
    if problem:
        return None, None, [f"{path.name}: {problem}"]
    try:
        lines, numbers, errors = read_source(path)
    except UnicodeDecodeError as e:
        return None, None, [f"{path.name}: not UTF-8 ({e})"]
    low, high = SHIPPED_LINES
    if not low <= len(lines) <= min(high, MAX_LINES):
        errors.append(f"{path.name}: {len(lines)} lines, a shipped list has {low} to {high}")
    if not errors:
        try:
            CHECKS[ext](lines)
        except ListError as e:
            errors.append(f"{path.name}:{numbers[e.index]}: {e}")
    if errors:
        return None, None, errors
    data = b"".join(line.encode("cp437") + b"\r\n" for line in lines)
    return f"{stem}.{ext}", data, errors


def main(argv):
    check_only = "--check" in argv[1:]
    sources = sorted(SRC.glob("*.txt"))
    outputs, errors, seen = {}, [], {}
    for path in sources:
        name, data, errs = build(path)
        errors += errs
        if name is None:
            continue
        if name.lower() in seen:
            errors.append(f"{path.name}: same name as {seen[name.lower()]} (names ignore case)")
        seen[name.lower()] = path.name
        outputs[name] = data
    if not sources:
        errors.append(f"no sources in {SRC}")
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        return 1
    if check_only:
        print(f"{len(outputs)} lists are fine")
        return 0
    OUT.mkdir(parents=True, exist_ok=True)
    for old in OUT.iterdir():
        if old.suffix[1:].upper() in EXTENSIONS and old.name not in outputs:
            old.unlink()
    for name, data in outputs.items():
        target = OUT / name
        if not target.exists() or target.read_bytes() != data:
            target.write_bytes(data)
    print(f"wrote {len(outputs)} lists to {OUT}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Writes the printer files of work certificates, line by line as the trainer
writes them (code page 437, CR LF), for the printing tests:

  certificate.lpt      one player, results 5, 1007, 2 of a Vorsilben list
  certificates-two.lpt two players, results 5, 6, 1007, 8 (one page each)
"""
import os

ESC = "\x1b"
WORDS = {2: "ab_fahren", 5: "ver_stehen", 6: "ent_decken", 7: "be_kommen", 8: "zer_brechen"}
INSTITUTION = "Grundschule am Deich"
PLACE = "Deichhausen"
IMPRINT = "Quendelstrand 5.8 - Lernprogramm für Wortbausteine"


def word(line):
    return WORDS[line].replace("_", "")[:80]


def certificate(name, codes):
    lines = ["", "", " " * ((79 - len(INSTITUTION)) // 2) + INSTITUTION + ESC + "W\x00"]
    lines += [ESC + "E" + ESC + "W\x01", "", ""]
    lines += ["             ---------- Arbeitszeugnis ---------", "", ""]
    page_lines = 0
    lines += ["              Name: " + name + ESC + "W\x00", ""]
    lines += ["          Programm Quendelstrand    Übung: Vorsilben", "",
              "          Mit Erfolg geübt wurden:", ""]
    listed = 0
    for code in codes:
        if code < 1000:
            listed += 1
            lines.append(" " * 10 + (" " if listed < 10 else "") + f"{listed} {word(code)} √")
            page_lines += 1
    lines += ["", ""]
    hard = [c for c in codes if c > 1000]
    if not hard:
        lines.append("          Es wurden keine Fehler gemacht.")
    else:
        lines += ["          Folgende Wörter wurden als schwer eingestuft:", "", ""]
        for i, code in enumerate(hard, 1):
            lines.append(" " * 10 + (" " if i < 10 else "") + f"{i} {word(code - 1000)}")
            page_lines += 1
    lines += ["", "", ""]
    while page_lines < 27:
        lines.append("")
        page_lines += 1
    lines += [" " * 10 + PLACE + ", den 10.12.2026", "", ""]
    lines += [" " * 44 + "." * 28, "", "", ""]
    lines += [IMPRINT, "\x0c"]
    return lines


def write(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("cp437") + b"\r\n")


here = os.path.dirname(os.path.abspath(__file__))
write(os.path.join(here, "certificate.lpt"), certificate("Lena", [5, 1007, 2]))
write(os.path.join(here, "certificates-two.lpt"),
      certificate("Lena", [5, 1007]) + certificate("Tom", [6, 8]))

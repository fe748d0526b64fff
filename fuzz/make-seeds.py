#!/usr/bin/env python3
"""Writes the hand-made seeds of the fuzz targets into fuzz/corpus/TARGET/:
a few small files of each kind the targets read, good ones and broken ones.
The fuzzers add what they find beside them."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
CRLF = "\r\n"

OPTIONS = {
    # 19 numbers, then 16 names of lists chosen last.
    "full": CRLF.join(["100", "1", "0", "1", "2", "0", "1", "2", "3", "1", "0", "1", "1",
                       "0", "1", "0", "1", "2", "1"] + ["C:\\LS1DAT\\TIERE.WWT"] * 16) + CRLF,
    "empty": "",
    "short-lf": "100\n3\n2\n",
    "garbage": "abc\r\n\r\n-7\r\n99999999999\r\n 3 \r\n\x81\x1a\r\n",
    "lone-cr": "100\r2\r1\r0\r",
}

MOUSE_TEXTS = {
    "regions": CRLF.join(["1 40 2 25 0 ;the menu", "46 47 12 12 106 ;Ja", "52 55 12 12 110 ;Nein",
                          "1 80 1 1 r", "3 20 4 20 1", "3 20 4 20 2", "3 20 4 20 3"]) + CRLF,
    "overlapping": CRLF.join(["1 80 1 25 0", "1 80 1 25 0", "10 10 10 10 200",
                              "2147483647 1 -5 99999999999 300"]) + CRLF,
    "odd": "\n\n;\r1\r1 2\r\x00\x01 2 3 4\xff",
}

ESC = "\x1b"
PRINTER_FILES = {
    "fonts": CRLF.join(["", ESC + "E" + ESC + "W\x01   Arbeitszeugnis", ESC + "F" + ESC + "W\x00",
                        ESC + "M schmal " + ESC + "P breit", ESC + "\xc8\x0c 3/4 " + ESC + "\xc8",
                        ESC + "w\x02 gross " + ESC + "w" + ESC]) + CRLF,
    "tabs": CRLF.join([ESC + "\xc9\x05Name" + ESC + "\xc9\x28Punkte",
                       ESC + "\xc9\x00" + "-" * 40, "  1 Apfel \xfb", ESC + "\xc9\xff" + "x",
                       "\x0cneue Seite", "\x07nichts", "\x84\x94\x81\xe1\xc4\xf9"]) + CRLF,
    "cut": ESC + "\xc9",
}

SCRIPTS = {
    "every-command": "\n".join([
        "# a comment", "key RET", "key ESC", "key alt+x", "key shift+F10", "key a",
        "type Gar-ten \u00e4\u00f6\u00fc\u00df", "click 3 4", "gclick 320 240", "gclick 10 10 right",
        "move 1 2", "down 1 2", "up 1 2", "wait 100", "until Text-Editor",
        "until \"Okay, das war es.\" 500", "resize 800 600", "focus out", "focus in",
        "dump name", "close"]) + "\n",
    "broken": "key\nkey NOPE\nclick x y\nwait -1\nwait 99999999999\nuntil\nfocus sideways\n"
              "dump\ngclick 1 2 left\n\r\n\t\n",
}

SETTINGS = {
    "plain": "[Software\\Q.X.\\quendelstrand\\Allgemein]\nDelay=1\nFenster=0 0 800 600\n",
    "crlf-comments": "; comment\r\n\r\n[Software\\Q.X.\\quendelstrand\\Zeugnis]\r\nOrt=L%FCbeck\r\n"
                     "# other\r\n[software\\q.x.\\QUENDELSTRAND\\allgemein]\r\ndelay = 2,5 \r\n",
    "broken": "[unclosed\nno equals sign\n=no key\n[]\n%zz=%\n[a]]\nk%3D=v%0\n[x]\nk=%41%4\n",
    "doubled": "[Software\\Q.X.\\quendelstrand\\Allgemein]\nDelay=1\nDelay=2\n"
               "[Software\\Q.X.\\quendelstrand\\Allgemein]\nDelay=3\n",
}

TARGETS = {
    "options_fuzz": OPTIONS,
    "mousetext_fuzz": MOUSE_TEXTS,
    "printerfile_fuzz": PRINTER_FILES,
    "script_fuzz": SCRIPTS,
    "settings_fuzz": SETTINGS,
}


def main():
    for target, seeds in TARGETS.items():
        folder = HERE / "corpus" / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, text in seeds.items():
            data = text.encode("utf-8") if target == "script_fuzz" else text.encode("latin-1")
            (folder / ("seed-" + name)).write_bytes(data)


if __name__ == "__main__":
    main()

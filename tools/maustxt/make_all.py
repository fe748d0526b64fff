#!/usr/bin/env python3
"""Runs every mouse-text generator (make_*.py) of this folder.

    make_all.py           writes data/maustxt
    make_all.py --check   writes nothing; fails, naming the files, when
                          data/maustxt differs from what the generators make
"""

import glob
import importlib
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mtb  # noqa: E402


def main():
    mtb.check_only = "--check" in sys.argv[1:]
    here = os.path.dirname(os.path.abspath(__file__))
    for path in sorted(glob.glob(os.path.join(here, "make_*.py"))):
        name = os.path.splitext(os.path.basename(path))[0]
        if name == "make_all":
            continue
        importlib.import_module(name).main()
    if mtb.differing:
        for path in mtb.differing:
            print(f"{path}: differs from what its generator makes", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()

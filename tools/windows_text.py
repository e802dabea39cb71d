#!/usr/bin/env python3
"""Writes a UTF-8 text file as the program's users read text files.

    windows_text.py INPUT OUTPUT

The output is in code page 932 (Shift-JIS), the program's own, with CR LF line
ends, so that Notepad on any Japanese Windows shows it as written. A character
that code page 932 cannot hold stops the script.
"""
import sys


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    with open(target, "w", encoding="cp932", newline="\r\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()

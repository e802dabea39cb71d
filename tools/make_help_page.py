#!/usr/bin/env python3
"""Builds the help page that ships beside the program.

    make_help_page.py SOURCE... APP_MAIN PAGE_NAME OUTPUT_DIR...

Each SOURCE (a file ending in ".html.in") is a page in HTML with {{field}} marks. The fields are filled with
the program's own version values (its AppInfo definition in APP_MAIN) and with
the table of the eight tray pictures of both icon sets, drawn by the icon
generator (make_icons.py beside this script) exactly as the tray shows them.
Every OUTPUT_DIR gets the page and the folder PAGE_NAME_files with the
pictures. The page is written in the language its <html lang> names: a
Japanese one is PAGE_NAME.html, another PAGE_NAME.<lang>.html ("Indicator.en.html"),
and the table of states speaks that language too. A mark without a value, or a value the page does not use, stops
the build.
"""
import html
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_icons  # noqa: E402

LOCKS = ("Num Lock", "Caps Lock", "Scroll Lock")
# A lock's state, and what separates the locks in a picture's description.
STATE_WORDS = {"ja": ("オン", "オフ", "、"), "en": ("on", "off", ", ")}


def page_language(source):
    match = re.search(r'<html\s+lang="([a-z]+)"', source)
    if not match or match.group(1) not in STATE_WORDS:
        raise SystemExit("make_help_page.py: the page names no language this script knows")
    return match.group(1)


def app_info(app_main):
    """The string arguments of the AppInfo definition, in order."""
    with open(app_main, encoding="utf-8") as f:
        text = f.read()
    match = re.search(r"\bTAppInfo\s+AppInfo\s*\((.*?)\);", text, re.S)
    if not match:
        raise SystemExit("make_help_page.py: no AppInfo definition in %s" % app_main)
    values = re.findall(r'"((?:[^"\\]|\\.)*)"', match.group(1))
    if len(values) != 7:
        raise SystemExit("make_help_page.py: AppInfo in %s has %d texts, not 7" % (app_main, len(values)))
    keys = ("build_date", "build_time", "product", "version", "copyright", "home_page", "mail")
    return dict(zip(keys, values))


def picture_name(letter, index):
    return "indicator_%s%d.png" % (letter.lower(), index)


def state_table(folder, language):
    """One row per state index: the three locks and the picture of each set."""
    head = "".join("<th>%s</th>" % lock for lock in LOCKS)
    lines = ['<table class="states">',
             "<thead><tr>%s<th>Type A</th><th>Type B</th></tr></thead>" % head,
             "<tbody>"]
    for index in range(8):
        states = make_icons.lamp_states(index)
        on_word, off_word, separator = STATE_WORDS[language]
        words = [on_word if on else off_word for on in states]
        cells = "".join('<td class="%s">%s</td>' % ("on" if on else "off", word)
                        for on, word in zip(states, words))
        summary = separator.join("%s %s" % (lock, word) for lock, word in zip(LOCKS, words))
        pictures = "".join(
            '<td><img src="%s/%s" width="32" height="32" alt="Type %s: %s"></td>'
            % (folder, picture_name(letter, index), letter, html.escape(summary))
            for letter in "AB")
        lines.append("<tr>%s%s</tr>" % (cells, pictures))
    lines += ["</tbody>", "</table>"]
    return "\n".join(lines)


def fill(source, fields):
    used = set()

    def value(match):
        name = match.group(1)
        if name not in fields:
            raise SystemExit("make_help_page.py: no value for {{%s}}" % name)
        used.add(name)
        return fields[name]

    page = re.sub(r"\{\{(\w+)\}\}", value, source)
    unused = sorted(set(fields) - used)
    if unused:
        raise SystemExit("make_help_page.py: the page does not use %s" % ", ".join(unused))
    return page


def main(argv):
    count = 0
    while count + 1 < len(argv) and argv[count + 1].endswith(".html.in"):
        count += 1
    if count == 0 or len(argv) < count + 4:
        sys.stderr.write("usage: make_help_page.py SOURCE... APP_MAIN PAGE_NAME OUTPUT_DIR...\n")
        return 2
    sources, (app_main, name), outputs = argv[1:count + 1], argv[count + 1:count + 3], argv[count + 3:]
    info = app_info(app_main)
    folder = name + "_files"
    fields = {
        "product": html.escape(info["product"]),
        "version": html.escape(info["version"]),
        "copyright": html.escape(info["copyright"]),
        "home_page": html.escape(info["home_page"]),
        "page_name": html.escape(name),
        "pictures": html.escape(folder),
    }
    pages = {}
    for source in sources:
        with open(source, encoding="utf-8") as f:
            text = f.read()
        language = page_language(text)
        page = fill(text, dict(fields, state_table=state_table(folder, language)))
        pages[name + ("" if language == "ja" else "." + language) + ".html"] = page
    pictures = {picture_name(letter, i): make_icons.tray_picture("INDICATOR%s%d_ICON" % (letter, i))
                for letter in "AB" for i in range(8)}
    for out in outputs:
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for file_name, data in pictures.items():
            make_icons.write(os.path.join(out, folder, file_name), data)
        for page_file, page in pages.items():
            make_icons.write(os.path.join(out, page_file), page.encode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Checks the help page as it ships.

    help_page_check.py SOURCE_ROOT SHIP_PAGE

The page must be well-formed HTML in UTF-8 (every element closed in order,
ids unique), marked with its language (Japanese for NAME.html, English for
NAME.en.html), name every command of the tray menu of that language exactly as
the menu shows it (the texts of its menu in indicator/indicator.rc without
their access-key marks), have a
section "topic-<n>" for every context-help topic the program's sources define
(an enumerator named ...HelpId), link only images that exist beside it in the
ship folder and only sections that exist in it.
"""
import html.parser
import os
import re
import sys
import urllib.parse

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.problems, self.stack, self.ids = [], [], []
        self.images, self.links, self.text, self.doctype = [], [], [], None
        self.lang = self.charset = None

    def where(self):
        return "line %d" % self.getpos()[0]

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.append(a["id"])
        if tag == "html":
            self.lang = a.get("lang")
        if tag == "meta" and "charset" in a:
            self.charset = a["charset"].lower()
        if tag == "img":
            self.images.append(a.get("src", ""))
            if not a.get("alt"):
                self.problems.append("%s: an image without alt text" % self.where())
        if tag == "a" and "href" in a:
            self.links.append(a["href"])
        if tag not in VOID:
            self.stack.append((tag, self.where()))

    def handle_startendtag(self, tag, attrs):
        if tag not in VOID:
            self.problems.append("%s: <%s/> is not an empty element" % (self.where(), tag))
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.stack.pop()

    def handle_endtag(self, tag):
        if tag in VOID:
            self.problems.append("%s: </%s> closes an empty element" % (self.where(), tag))
        elif tag not in [open_tag for open_tag, _ in self.stack]:
            self.problems.append("%s: </%s> closes nothing" % (self.where(), tag))
        else:
            while self.stack[-1][0] != tag:
                self.problems.append("%s: <%s> (%s) is not closed before </%s>"
                                     % (self.where(), *self.stack.pop(), tag))
            self.stack.pop()

    def handle_data(self, data):
        if not self.stack or self.stack[-1][0] not in ("style", "script", "title"):
            self.text.append(data)


# The menu resource of each page language.
MENU_IDS = {"ja": "TRAY_MENU_ID", "en": "TRAY_MENU_EN_ID"}


def menu_texts(rc_file, language):
    with open(rc_file, encoding="utf-8") as f:
        menus = re.split(r"^(\w+)\s+MENU\b", f.read(), flags=re.M)
    blocks = dict(zip(menus[1::2], menus[2::2]))
    items = re.findall(r'^\s*MENUITEM\s+"((?:[^"]|"")*)"', blocks.get(MENU_IDS[language], ""), re.M)
    # "&X" marks the access key, which the menu underlines; "&&" shows one "&".
    return [re.sub(r"&(.)", r"\1", item.replace('""', '"')) for item in items]


def help_topics(root):
    topics = set()
    for folder in ("framework", "indicator"):
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if name.endswith((".h", ".cpp")):
                    with open(os.path.join(base, name), encoding="utf-8") as f:
                        topics.update(int(n) for n in re.findall(r"\b\w*HelpId\s*=\s*(\d+)", f.read()))
    return sorted(topics)


def check(root, page_path):
    problems = []
    with open(page_path, "rb") as f:
        raw = f.read()
    try:
        source = raw.decode("utf-8")
    except UnicodeDecodeError as error:
        return ["not UTF-8: %s" % error]
    page = Page()
    page.feed(source)
    page.close()
    problems += page.problems
    problems += ["<%s> (%s) is never closed" % entry for entry in page.stack]
    if (page.doctype or "").lower() != "doctype html":
        problems.append("the page does not start with <!DOCTYPE html>")
    language = "en" if page_path.endswith(".en.html") else "ja"
    if page.lang != language or page.charset != "utf-8":
        problems.append("the page is not marked as %s in UTF-8 (lang %s, charset %s)" % (language, page.lang, page.charset))
    if "{{" in source:
        problems.append("a field of the source is left unfilled")
    duplicates = sorted({i for i in page.ids if page.ids.count(i) > 1})
    if duplicates:
        problems.append("ids used twice: %s" % ", ".join(duplicates))

    text = "".join(page.text)
    items = menu_texts(os.path.join(root, "indicator", "indicator.rc"), language)
    if len(items) < 8:
        problems.append("the menu of indicator.rc has %d commands" % len(items))
    problems += ["the menu command %s is not named" % item for item in items if item not in text]

    topics = help_topics(root)
    if not topics:
        problems.append("no context-help topic found in the sources")
    problems += ["no section topic-%d" % t for t in topics if "topic-%d" % t not in page.ids]

    folder = os.path.dirname(page_path)
    for src in page.images:
        parts = urllib.parse.urlsplit(src)
        if parts.scheme or parts.netloc or src.startswith("/"):
            problems.append("image %s is not beside the page" % src)
        elif not os.path.isfile(os.path.join(folder, urllib.parse.unquote(parts.path))):
            problems.append("image %s is missing from %s" % (src, folder))
    if len(page.images) < 16:
        problems.append("%d pictures, not the eight states of two sets" % len(page.images))
    problems += ["link %s leads nowhere" % href for href in page.links
                 if href.startswith("#") and href[1:] not in page.ids]
    return problems


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: help_page_check.py SOURCE_ROOT SHIP_PAGE\n")
        return 2
    root, page = argv[1], argv[2]
    problems = check(root, page)
    for problem in problems:
        print("help page: " + problem)
    print("help page %s: %s" % (page, "%d problems" % len(problems) if problems else "fine"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

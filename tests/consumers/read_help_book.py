"""Prints what a reader of a compiled help book sees: its title and every entry of its contents.

Output, UTF-8, one item a line:
  title<TAB>the book's title
  entry<TAB>name<TAB>page (empty for a folder)<TAB>"found" when the page is in the book, else "missing"
"""
import html
import os
import re
import sys

from chm import chm, chmlib

ENTRY = re.compile(rb'<OBJECT type="text/sitemap">(.*?)</OBJECT>', re.S)
PARAM = re.compile(rb'<param name="(Name|Local)" value="([^"]*)">')


def text(raw):
    return html.unescape(raw.decode("cp949"))


def main(path):
    book = chm.CHMFile()
    if not book.LoadCHM(os.fsencode(path)):
        sys.exit("cannot load " + path)
    print("title\t" + text(book.title or b""))
    for entry in ENTRY.finditer(book.GetTopicsTree() or b""):
        params = dict(PARAM.findall(entry.group(1)))
        local = params.get(b"Local", b"")
        found = ""
        if local:
            result, _ = book.ResolveObject(b"/" + local.split(b"#")[0])
            found = "found" if result == chmlib.CHM_RESOLVE_SUCCESS else "missing"
        print("\t".join(["entry", text(params.get(b"Name", b"")), text(local), found]))


if __name__ == "__main__":
    main(sys.argv[1])

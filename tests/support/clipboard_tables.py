#!/usr/bin/env python3
"""Reads the two clipboard forms of copied rows as a spreadsheet's paste would.

Standard input: a JSON object {"tsv": text, "html": document}. Standard output: a JSON object
{"tsv": rows, "html": rows}, each row a list of cell texts. The TSV goes through Python's csv
module (delimiter TAB, Excel's quoting); the HTML through html.parser, a <br> in a cell read as
a line end, "mso-spacerun" spans as their spaces. Exits 1 with a reason on standard error when
the HTML holds text outside a cell or a row whose cells do not close.
"""
import csv
import io
import json
import sys
from html.parser import HTMLParser


class Table(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows = []
        self.cell = None
        self.row = None
        self.stray = []

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.row = []
        elif tag in ("td", "th"):
            if self.row is None or self.cell is not None:
                raise SystemExit(f"a cell outside a row or inside a cell: <{tag}>")
            self.cell = ""
        elif tag == "br" and self.cell is not None:
            self.cell += "\n"

    def handle_endtag(self, tag):
        if tag in ("td", "th"):
            self.row.append(self.cell)
            self.cell = None
        elif tag == "tr":
            if self.cell is not None:
                raise SystemExit("a row ended inside a cell")
            self.rows.append(self.row)
            self.row = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data
        elif data.strip() and self.lasttag not in ("style", "title"):
            self.stray.append(data)


def main():
    given = json.load(sys.stdin)
    tsv = list(csv.reader(io.StringIO(given["tsv"], newline=""), delimiter="\t"))
    table = Table()
    table.feed(given["html"])
    table.close()
    if table.stray:
        print(f"text outside the cells: {table.stray!r}", file=sys.stderr)
        return 1
    json.dump({"tsv": tsv, "html": table.rows}, sys.stdout, ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Reads a workbook with openpyxl and compares it cell by cell with the UTF-8 CSV of the same
list: every sheet starts with the CSV's header row, and the sheets' other rows, one after the
other, are the CSV's other rows. Cells are shown as Excel shows them (number formats applied).
Prints facts about the workbook as JSON; exits 1 with the first difference."""
import csv
import datetime
import json
import re
import sys
import zipfile

import openpyxl


def literal_and_codes(fmt):
    """Splits a number format into ('lit', text) and ('code', text) pieces."""
    pieces, i = [], 0
    while i < len(fmt):
        c = fmt[i]
        if c == '\\':
            pieces.append(('lit', fmt[i + 1]))
            i += 2
        elif c == '"':
            j = fmt.index('"', i + 1)
            pieces.append(('lit', fmt[i + 1:j]))
            i = j + 1
        else:
            m = re.match(r'y+|m+|d+|h+|s+|0\.0+|0', fmt[i:])
            if m:
                pieces.append(('code', m.group(0)))
                i += len(m.group(0))
            else:
                pieces.append(('lit', c))
                i += 1
    return pieces


def shown(cell):
    value = cell.value
    if value is None:
        return ''
    if isinstance(value, str):
        # Excel reads _xHHHH_ in a string as that character (how XML carries control
        # characters); openpyxl leaves it as it is.
        return re.sub(r'_x([0-9A-Fa-f]{4})_', lambda m: chr(int(m.group(1), 16)), value)
    pieces = literal_and_codes(cell.number_format)
    out = []
    if isinstance(value, datetime.datetime):
        for n, (kind, text) in enumerate(pieces):
            if kind == 'lit':
                out.append(text)
                continue
            prev = [t for kk, t in pieces[:n] if kk == 'code']
            nxt = [t for kk, t in pieces[n + 1:] if kk == 'code']
            minute = (prev and prev[-1][0] == 'h') or (nxt and nxt[0][0] == 's')
            c = text[0]
            if c == 'y':
                out.append('%04d' % value.year if len(text) == 4 else '%02d' % (value.year % 100))
            elif c == 'm':
                v = value.minute if minute else value.month
                out.append('%02d' % v if len(text) == 2 else str(v))
            elif c == 'd':
                out.append('%02d' % value.day if len(text) == 2 else str(value.day))
            elif c == 'h':
                out.append('%02d' % value.hour if len(text) == 2 else str(value.hour))
            elif c == 's':
                out.append('%02d' % value.second if len(text) == 2 else str(value.second))
        return ''.join(out)
    for kind, text in pieces:
        if kind == 'lit':
            out.append(text)
        elif text == '0':
            out.append('%d' % value)
        else:
            out.append('%.*f' % (len(text) - 2, value))
    return ''.join(out)


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    with open(sys.argv[2], newline='', encoding='utf-8', errors='surrogateescape') as f:
        rows = list(csv.reader(f))
    header, data = rows[0][:-1], [r[:-1] for r in rows[1:]]
    facts = {'sheets': [], 'links': {}, 'types': {}}
    at = 0
    for sheet in book.worksheets:
        got = list(sheet.iter_rows())
        names = [shown(c) for c in got[0]]
        if names != header:
            sys.exit('%s header %r != %r' % (sheet.title, names, header))
        facts['sheets'].append({
            'title': sheet.title, 'rows': len(got) - 1, 'freeze': sheet.freeze_panes,
            'filter': sheet.auto_filter.ref, 'bold': all(c.font.b for c in got[0])})
        for r in got[1:]:
            cells = [shown(c) for c in r]
            cells += [''] * (len(header) - len(cells))
            want = data[at] if at < len(data) else None
            # A blank line of the CSV has no cells; a blank row of the sheet has empty ones.
            if want == [] or want is None and not any(cells):
                want = [''] * len(header)
            # Plain byte sizes start with a space in the CSV; Excel shows the number alone.
            if want is None or [c.strip() for c in cells] != [w.strip() for w in want]:
                sys.exit('%s row %d: %r != %r' % (sheet.title, at + 2, cells, want))
            for c in r:
                if c.value is not None:
                    facts['types'].setdefault(type(c.value).__name__, 0)
                    facts['types'][type(c.value).__name__] += 1
                if c.hyperlink is not None:
                    facts['links'][str(c.value)] = c.hyperlink.target
            at += 1
    if at != len(data):
        sys.exit('the sheets hold %d rows, the CSV %d' % (at, len(data)))
    # How hard each part was deflated, as the zip records it: 0 normal, 1 maximum, 2 fast,
    # 3 super fast.
    with zipfile.ZipFile(sys.argv[1]) as parts:
        facts['levels'] = {i.filename: (i.flag_bits >> 1) & 3 for i in parts.infolist()}
    json.dump(facts, sys.stdout, ensure_ascii=False)


main()

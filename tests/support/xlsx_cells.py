#!/usr/bin/env python3
"""Prints every sheet of a workbook as JSON: its title, filter and rows, each cell as
{"v": the value (the cached value of a formula), "f": the formula or null, "fmt": its number
format}, read with openpyxl twice (formulas, then cached values)."""
import json
import sys

import openpyxl


def main():
    formulas = openpyxl.load_workbook(sys.argv[1])
    values = openpyxl.load_workbook(sys.argv[1], data_only=True)
    out = []
    for sheet, cached in zip(formulas.worksheets, values.worksheets):
        rows = []
        for r, c in zip(sheet.iter_rows(), cached.iter_rows()):
            rows.append([{'v': b.value if not hasattr(b.value, 'isoformat') else str(b.value),
                          'f': a.value if isinstance(a.value, str) and a.value.startswith('=')
                          else None, 'fmt': a.number_format, 'bold': bool(a.font.b),
                          'link': a.hyperlink.target if a.hyperlink is not None else None}
                         for a, b in zip(r, c)])
        out.append({'title': sheet.title, 'filter': sheet.auto_filter.ref, 'rows': rows})
    json.dump(out, sys.stdout, ensure_ascii=False)


main()

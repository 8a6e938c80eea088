#!/usr/bin/env bash
# Makes contatos.xls, the .xls fixture of test_unCLNegOffice: a workbook of
# two worksheets written with openpyxl (python3-openpyxl) and saved as Excel
# 97-2003 by LibreOffice (libreoffice-calc-nogui). Run it from any folder.
set -euo pipefail
dados="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
/usr/bin/python3 - "$tmp/contatos.xlsx" <<'PY'
import datetime, sys
import openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Contatos"
ws.append(["nome", "celular", "nascimento", "saldo", "ativo"])
ws.append(["Ana Lúcia", 5511987654321, datetime.date(1990, 3, 15), 1234.5, "sim"])
ws.append(["Bruno", 5521912345678, datetime.date(1985, 12, 1), 0.1 + 0.2, "não"])
ws.append(["Carla", 5531900001111, datetime.date(2000, 1, 31), -7, "sim"])
ws.append([None, "sem nome"])
ws.append(["Depois do vazio", 1])
for r in range(2, 5):
    ws.cell(r, 3).number_format = "dd/mm/yyyy"
wb.create_sheet("Outra").append(["x"])
wb.save(sys.argv[1])
PY
HOME="$tmp" soffice --headless --convert-to xls --outdir "$tmp" "$tmp/contatos.xlsx" >/dev/null 2>&1
cp "$tmp/contatos.xls" "$dados/contatos.xls"
echo "Gravado: $dados/contatos.xls"

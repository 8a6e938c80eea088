#!/usr/bin/env bash
# Makes the fixtures of the importer's table of cases from one source,
# casos.fods (a flat OpenDocument spreadsheet kept as text):
#   casos.xlsx, casos.ods, casos.xls  the same workbook saved by LibreOffice;
#   casos-exibido.csv                 LibreOffice's own CSV of casos.ods with
#                                     the cells "as shown" in Brazilian
#                                     Portuguese, which the test holds its
#                                     expected table against;
#   senha.xls                         a one-cell workbook saved with the
#                                     password "senha".
# Needs libreoffice-calc-nogui (soffice). Run it from any folder. It also
# prints where LibreOffice's CSVs of the three files differ from each other.
set -euo pipefail
dados="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home"
# LibreOffice in Brazilian Portuguese (the locale need not be installed).
lo() { LC_ALL=pt_BR.UTF-8 LANG=pt_BR.UTF-8 timeout 300 soffice --headless "$@" >/dev/null 2>&1; }

for formato in xlsx ods xls; do
  lo --convert-to "$formato" --outdir "$tmp" "$dados/casos.fods"
  cp "$tmp/casos.$formato" "$dados/casos.$formato"
done

# Separator ";", quote '"', UTF-8, cells as shown.
filtro='csv:Text - txt - csv (StarCalc):59,34,76,1,,1046,false,true,true,false,false'
for formato in xlsx ods xls; do
  mkdir -p "$tmp/csv-$formato"
  lo --convert-to "$filtro" --outdir "$tmp/csv-$formato" "$dados/casos.$formato"
done
cp "$tmp/csv-ods/casos.csv" "$dados/casos-exibido.csv"
for formato in xlsx xls; do
  echo "LibreOffice mostra casos.$formato assim, onde difere de casos.ods:"
  diff "$tmp/csv-ods/casos.csv" "$tmp/csv-$formato/casos.csv" || true
done

# The password goes through a macro: the command line cannot give one.
basic="$HOME/.config/libreoffice/4/user/basic/Standard"
lo --terminate_after_init
cat > "$basic/Module1.xba" <<'XBA'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE script:module PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "module.dtd">
<script:module xmlns:script="http://openoffice.org/2000/script" script:name="Module1" script:language="StarBasic">
Sub ComSenha(origem As String, destino As String)
  Dim abrir(0) As New com.sun.star.beans.PropertyValue
  abrir(0).Name = &quot;Hidden&quot;
  abrir(0).Value = True
  doc = StarDesktop.loadComponentFromURL(ConvertToURL(origem), &quot;_blank&quot;, 0, abrir())
  Dim salvar(1) As New com.sun.star.beans.PropertyValue
  salvar(0).Name = &quot;FilterName&quot;
  salvar(0).Value = &quot;MS Excel 97&quot;
  salvar(1).Name = &quot;Password&quot;
  salvar(1).Value = &quot;senha&quot;
  doc.storeToURL(ConvertToURL(destino), salvar())
  doc.close(True)
End Sub
</script:module>
XBA
printf 'nome\nAna\n' > "$tmp/senha.csv"
lo "macro:///Standard.Module1.ComSenha(\"$tmp/senha.csv\",\"$tmp/senha.xls\")"
cp "$tmp/senha.xls" "$dados/senha.xls"
echo "Gravados em $dados: casos.xlsx casos.ods casos.xls casos-exibido.csv senha.xls"

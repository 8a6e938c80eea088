#!/usr/bin/env bash
# The engine links QtCore and the desktop interface only: a test that only
# reads statements loads no X11, XTest or QtGui library, and the engine
# library itself calls nothing from them.
#   camadas.sh TESTE_DE_LEITURA LIBMIVO_INTERPRETER
set -euo pipefail
teste="$1"; biblioteca="$2"
proibidas='libX11|libXtst|libQt6Gui|libQt6Widgets'
falhou=0
if ldd "$teste" | grep -E "$proibidas"; then
  echo "FALHA: $teste carrega bibliotecas de janelas ou do X11"; falhou=1
fi
ldd "$teste" | grep libQt6Core >/dev/null || { echo "FALHA: ldd não listou o QtCore de $teste"; falhou=1; }
if nm -C --undefined-only "$biblioteca" | grep -E ' (X[A-Z][A-Za-z]+|QImage|QGuiApplication|QPixmap|QWidget)\b'; then
  echo "FALHA: $biblioteca usa funções do X11 ou do QtGui"; falhou=1
fi
[ "$falhou" -eq 0 ] && echo "1 passed, 0 failed"
exit "$falhou"

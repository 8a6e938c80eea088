#!/usr/bin/env bash
# The installer under Wine: a silent install into the user's programs folder,
# the installed program running a script with only what it carries (no DLL
# from the build), then the silent uninstall, which removes what it
# installed (files, Start-menu folder, list of programs, the ".mivo"
# association of this installation) and keeps what the user made.
#   testar-instalador.sh mivo-setup.exe
# Runs inside ferramentas/testar-windows.sh (Wine prefix and display set).
set -euo pipefail
instalador="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
wine_bin="$(command -v wine || command -v wine64)"
# Only what the installation carries.
unset WINEPATH

falhas=0
falha() { echo "FALHOU: $*"; falhas=$((falhas + 1)); }
confere() { # descrição, comando...
  local d=$1; shift
  if "$@"; then echo "ok: $d"; else falha "$d"; fi
}
win() { "$wine_bin" cmd /c "$@" 2>/dev/null | tr -d '\r'; }
existe_chave() { "$wine_bin" reg query "$1" >/dev/null 2>&1; }
esperar() { # até 30 s por uma condição
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  return 1
}

local_app="$(win echo %LOCALAPPDATA%)"
menu_iniciar="$(win echo %APPDATA%)\\Microsoft\\Windows\\Start Menu\\Programs\\Mivo"
pasta_win="$local_app\\Programs\\Mivo"
pasta="$(winepath -u "$pasta_win" 2>/dev/null)"
menu="$(winepath -u "$menu_iniciar" 2>/dev/null)"
chave_desinstalar='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mivo'
rm -rf "$pasta" "$menu"

# --- Install ---------------------------------------------------------------
"$wine_bin" "$instalador" /S
confere "programa instalado em $pasta_win" test -f "$pasta/mivo-run.exe"
for f in Qt6Core.dll Qt6Gui.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll \
  imageformats/qjpeg.dll exemplos/primeiro.mivo desinstalar.exe; do
  confere "instalado: $f" test -f "$pasta/$f"
done
confere "atalho do menu Iniciar" test -f "$menu/Desinstalar o Mivo.lnk"
if [ -f "$(dirname "$instalador")/instalacao/Mivo.exe" ]; then
  confere "bancada instalada" test -f "$pasta/Mivo.exe"
  confere "atalho da bancada no menu Iniciar" test -f "$menu/Mivo.lnk"
  # Qt's own texts (file dialogs, buttons) in Portuguese, where Mivo.exe looks.
  confere "tradução do Qt instalada" cmp -s "$pasta/translations/qtbase_pt_BR.qm" \
    "$(dirname "$instalador")/instalacao/translations/qtbase_pt_BR.qm"
fi
confere "registrado na lista de programas" existe_chave "$chave_desinstalar"

# --- The installed program runs a script -----------------------------------
printf '&ValorDefinir("nome";"João").\r\n&MsgExibir("Olá, [nome]! Instalação ok.").\r\n' >"$pasta/teste.mivo"
saida="$(cd "$pasta" && "$wine_bin" mivo-run.exe --simular --silencioso teste.mivo 2>&1 | tr -d '\r')" || true
confere "o programa instalado roda um script (saída: $saida)" \
  grep -qF "Informação: Olá, João! Instalação ok." <<<"$saida"
saida="$(cd "$pasta" && "$wine_bin" mivo-run.exe --simular --silencioso 'exemplos\primeiro.mivo' 2>&1)" &&
  echo "ok: exemplo instalado roda" || falha "exemplo instalado: $saida"

# --- Uninstall -------------------------------------------------------------
# What the user made stays; the association of this installation goes.
mkdir -p "$pasta/dados"
echo "nome;telefone" >"$pasta/dados/contatos.txt"
"$wine_bin" reg add 'HKCU\Software\Classes\.mivo' /ve /d mivoFile /f >/dev/null 2>&1
"$wine_bin" reg add 'HKCU\Software\Classes\mivoFile\shell\open\command' /ve \
  /d "$pasta_win\\Mivo.exe \"%1\"" /f >/dev/null 2>&1
# The uninstaller copies itself away and returns at once: wait for its work.
"$wine_bin" "$pasta/desinstalar.exe" /S
confere "programa removido" esperar test ! -e "$pasta/mivo-run.exe"
confere "desinstalador removido" esperar test ! -e "$pasta/desinstalar.exe"
for f in Qt6Core.dll platforms exemplos imageformats translations; do
  confere "removido: $f" test ! -e "$pasta/$f"
done
confere "o que o usuário fez ficou" test -f "$pasta/dados/contatos.txt"
confere "o script do usuário ficou" test -f "$pasta/teste.mivo"
confere "atalhos removidos" test ! -e "$menu"
confere "fora da lista de programas" esperar bash -c "! '$wine_bin' reg query '$chave_desinstalar' >/dev/null 2>&1"
confere "associação .mivo removida" bash -c "! '$wine_bin' reg query 'HKCU\\Software\\Classes\\mivoFile' >/dev/null 2>&1"
rm -rf "$pasta"

if [ "$falhas" -gt 0 ]; then
  echo "$falhas verificações falharam"
  exit 1
fi
echo "Instalador: tudo certo"

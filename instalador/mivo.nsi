; The installer of Mivo for Windows: mivo-setup.exe.
;
; Installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Mivo (or the folder chosen), with a Start-menu
; folder, an entry in the system's list of installed programs and an
; uninstaller. /S installs silently (the update flow uses it); /D=folder
; (last on the command line) picks the folder.
;
; The ".mivo" association is written by the program itself at every start;
; the uninstaller removes it when it points to this installation.
;
; Built by the `instalador` target of the Windows build, which defines:
;   ORIGEM  the installation folder made by `cmake --install`
;   LISTAS  the folder with arquivos.nsh and desinstalar.nsh
;   VERSAO  the program's version
;   SAIDA   the installer to write

; 64-bit, like the program it installs (which needs a 64-bit Windows anyway).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define NOME "Mivo"
!define CHAVE_DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mivo"

Name "${NOME}"
Caption "Instalação do ${NOME} ${VERSAO}"
UninstallCaption "Desinstalação do ${NOME}"
OutFile "${SAIDA}"
InstallDir "$LOCALAPPDATA\Programs\Mivo"
InstallDirRegKey HKCU "${CHAVE_DESINSTALAR}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

VIProductVersion "${VERSAO}.0"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductName" "${NOME}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileDescription" "Instalação do ${NOME}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileVersion" "${VERSAO}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductVersion" "${VERSAO}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "LegalCopyright" "${NOME}"

Section "Mivo"
  SetShellVarContext current
  !include "${LISTAS}\arquivos.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\desinstalar.exe"

  CreateDirectory "$SMPROGRAMS\${NOME}"
  IfFileExists "$INSTDIR\Mivo.exe" 0 +2
    CreateShortcut "$SMPROGRAMS\${NOME}\${NOME}.lnk" "$INSTDIR\Mivo.exe"
  CreateShortcut "$SMPROGRAMS\${NOME}\Exemplos.lnk" "$INSTDIR\exemplos"
  CreateShortcut "$SMPROGRAMS\${NOME}\Desinstalar o ${NOME}.lnk" "$INSTDIR\desinstalar.exe"

  WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "DisplayName" "${NOME}"
  WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "DisplayVersion" "${VERSAO}"
  WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "Publisher" "${NOME}"
  WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKCU "${CHAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "NoModify" 1
  WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${CHAVE_DESINSTALAR}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; Only what was installed: scripts, lists and settings kept in the
  ; program's folder stay, and so does the folder then.
  !include "${LISTAS}\desinstalar.nsh"
  Delete "$INSTDIR\desinstalar.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${NOME}\${NOME}.lnk"
  Delete "$SMPROGRAMS\${NOME}\Exemplos.lnk"
  Delete "$SMPROGRAMS\${NOME}\Desinstalar o ${NOME}.lnk"
  RMDir "$SMPROGRAMS\${NOME}"

  ; The ".mivo" association, when it opens this installation's program.
  ReadRegStr $0 HKCU "Software\Classes\mivoFile\shell\open\command" ""
  StrLen $1 "$INSTDIR\"
  StrCpy $2 $0 $1
  StrCmp $2 "$INSTDIR\" 0 associacao_fim
    DeleteRegKey HKCU "Software\Classes\.mivo"
    DeleteRegKey HKCU "Software\Classes\mivoFile"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  associacao_fim:

  DeleteRegKey HKCU "${CHAVE_DESINSTALAR}"
SectionEnd

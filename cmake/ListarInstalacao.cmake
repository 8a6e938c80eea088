# Writes, for the installer, the list of what the installation folder holds:
#   SAIDA/arquivos.nsh     File lines that install each file in its folder
#   SAIDA/desinstalar.nsh  Delete and RMDir lines that remove exactly those
#                          files and the folders left empty
# The uninstaller removes only what was installed: the scripts, lists and
# settings a user keeps in the program's folder stay.
#   cmake -DPASTA=... -DSAIDA=... -P ListarInstalacao.cmake
file(GLOB_RECURSE arquivos RELATIVE "${PASTA}" LIST_DIRECTORIES false "${PASTA}/*")
list(SORT arquivos)
set(instalar "")
set(remover "")
set(pastas "")
set(pasta_atual "-")
foreach(a ${arquivos})
  get_filename_component(dir "${a}" DIRECTORY)
  string(REPLACE "/" "\\" dir_win "${dir}")
  string(REPLACE "/" "\\" a_win "${a}")
  if(NOT dir STREQUAL pasta_atual)
    if(dir STREQUAL "")
      string(APPEND instalar "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND instalar "SetOutPath \"$INSTDIR\\${dir_win}\"\n")
      # The folder and the ones above it.
      set(d "${dir}")
      while(NOT d STREQUAL "")
        string(REPLACE "/" "\\" d_win "${d}")
        list(APPEND pastas "${d_win}")
        get_filename_component(d "${d}" DIRECTORY)
      endwhile()
    endif()
    set(pasta_atual "${dir}")
  endif()
  string(APPEND instalar "File \"${PASTA}/${a}\"\n")
  string(APPEND remover "Delete \"$INSTDIR\\${a_win}\"\n")
endforeach()
# Deepest folders first; RMDir without /r leaves a folder that is not empty.
list(REMOVE_DUPLICATES pastas)
list(SORT pastas ORDER DESCENDING)
foreach(p ${pastas})
  string(APPEND remover "RMDir \"$INSTDIR\\${p}\"\n")
endforeach()
file(MAKE_DIRECTORY "${SAIDA}")
file(WRITE "${SAIDA}/arquivos.nsh" "${instalar}")
file(WRITE "${SAIDA}/desinstalar.nsh" "${remover}")

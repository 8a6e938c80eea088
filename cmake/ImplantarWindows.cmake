# What a Windows installation carries, and the installer that carries it.
#
# `cmake --install` puts into one folder the programs, Qt as DLLs beside them
# (the LGPL way: users may replace them), the Qt plugins the programs load,
# the compiler's runtime DLLs and the examples. The target `instalador` packs
# that folder into mivo-setup.exe with NSIS (makensis), installed for the
# current user without administrator rights (instalador/mivo.nsi).

set(MIVO_PROGRAMAS_WINDOWS mivo-run)
if(TARGET mivo)
  # The workbench is "Mivo.exe" on Windows: the file association and the
  # Start-menu entry name it so.
  set_target_properties(mivo PROPERTIES OUTPUT_NAME Mivo)
  list(APPEND MIVO_PROGRAMAS_WINDOWS mivo)
endif()
install(TARGETS ${MIVO_PROGRAMAS_WINDOWS} RUNTIME DESTINATION .)

# Qt: the modules the programs link, and the plugins they load at run time.
set(MIVO_QT_BIN "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
set(MIVO_QT_PLUGINS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")
set(MIVO_QT_MODULOS Core Gui)
if(TARGET mivo)
  # The workbench's windows.
  list(APPEND MIVO_QT_MODULOS Widgets)
endif()
if(TARGET mivo_editor)
  # The script editor's QScintilla needs Qt's printing module.
  list(APPEND MIVO_QT_MODULOS PrintSupport)
endif()
foreach(m ${MIVO_QT_MODULOS})
  install(FILES "${MIVO_QT_BIN}/Qt6${m}.dll" DESTINATION .)
endforeach()
install(FILES "${MIVO_QT_PLUGINS}/platforms/qwindows.dll" DESTINATION platforms)
install(FILES "${MIVO_QT_PLUGINS}/styles/qwindowsvistastyle.dll" DESTINATION styles)
install(FILES
  "${MIVO_QT_PLUGINS}/imageformats/qgif.dll"
  "${MIVO_QT_PLUGINS}/imageformats/qico.dll"
  "${MIVO_QT_PLUGINS}/imageformats/qjpeg.dll"
  DESTINATION imageformats)

# The compiler's runtime, found where the compiler itself looks for it.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE caminho OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${caminho}" OR NOT EXISTS "${caminho}")
    message(FATAL_ERROR "O compilador não achou ${dll}")
  endif()
  install(FILES "${caminho}" DESTINATION .)
endforeach()

# The libraries of the spreadsheet importer (cmake/EncontrarPlanilha.cmake).
if(MIVO_DLLS_PLANILHA)
  install(FILES ${MIVO_DLLS_PLANILHA} DESTINATION .)
endif()

# QScintilla, the script editor's widget (cmake/EncontrarQScintilla.cmake).
if(TARGET mivo_editor AND MIVO_DLLS_QSCINTILLA)
  install(FILES ${MIVO_DLLS_QSCINTILLA} DESTINATION .)
endif()

# Qt's own texts in Portuguese (file dialogs, standard buttons) for the
# workbench, which looks for them in "translations" beside itself. The Qt
# built here has none; a .qm file does not depend on the platform, so
# Debian's is carried (package qt6-translations-l10n).
if(TARGET mivo)
  set(MIVO_TRADUCAO_QT "/usr/share/qt6/translations/qtbase_pt_BR.qm" CACHE FILEPATH
    "A tradução do Qt para o português do Brasil (qtbase_pt_BR.qm)")
  if(NOT EXISTS "${MIVO_TRADUCAO_QT}")
    message(FATAL_ERROR "Falta ${MIVO_TRADUCAO_QT} (pacote qt6-translations-l10n)")
  endif()
  install(FILES "${MIVO_TRADUCAO_QT}" DESTINATION translations)
endif()

install(DIRECTORY "${PROJECT_SOURCE_DIR}/exemplos/" DESTINATION exemplos)
install(FILES "${PROJECT_SOURCE_DIR}/docs/funcoes.md" DESTINATION docs)

# The installer. makensis comes from Debian's `nsis`.
find_program(MIVO_MAKENSIS makensis)
if(MIVO_MAKENSIS)
  set(MIVO_PASTA_INSTALACAO "${CMAKE_BINARY_DIR}/instalacao")
  add_custom_command(
    OUTPUT "${CMAKE_BINARY_DIR}/mivo-setup.exe"
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${MIVO_PASTA_INSTALACAO}"
    COMMAND ${CMAKE_COMMAND} --install "${CMAKE_BINARY_DIR}" --prefix "${MIVO_PASTA_INSTALACAO}"
            --strip
    COMMAND ${CMAKE_COMMAND} -DPASTA=${MIVO_PASTA_INSTALACAO}
            -DSAIDA=${CMAKE_BINARY_DIR}/instalador
            -P "${PROJECT_SOURCE_DIR}/cmake/ListarInstalacao.cmake"
    COMMAND ${MIVO_MAKENSIS} -V2 -INPUTCHARSET UTF8
            "-DORIGEM=${MIVO_PASTA_INSTALACAO}"
            "-DLISTAS=${CMAKE_BINARY_DIR}/instalador"
            "-DVERSAO=${PROJECT_VERSION}"
            "-DSAIDA=${CMAKE_BINARY_DIR}/mivo-setup.exe"
            "${PROJECT_SOURCE_DIR}/instalador/mivo.nsi"
    DEPENDS ${MIVO_PROGRAMAS_WINDOWS} "${PROJECT_SOURCE_DIR}/instalador/mivo.nsi"
            "${PROJECT_SOURCE_DIR}/cmake/ListarInstalacao.cmake"
    COMMENT "Montando o instalador mivo-setup.exe"
    VERBATIM)
  add_custom_target(instalador ALL DEPENDS "${CMAKE_BINARY_DIR}/mivo-setup.exe")
else()
  message(WARNING "Sem o makensis (pacote nsis): o instalador não será montado")
endif()

# The installer installed, run and removed under Wine.
if(MIVO_MAKENSIS AND MIVO_TESTES)
  add_test(NAME Instalador.InstalaRodaEDesinstala
    COMMAND ${PROJECT_SOURCE_DIR}/tests/instalador/testar-instalador.sh "${CMAKE_BINARY_DIR}/mivo-setup.exe")
  set_tests_properties(Instalador.InstalaRodaEDesinstala PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
endif()

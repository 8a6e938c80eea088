# QScintilla (Qt 6), the code-editor widget of the script editor, as the
# imported target Mivo::QScintilla. It ships no CMake config of its own.
#
# On Linux it comes from the system (Debian's libqscintilla2-qt6-dev). A
# Windows build made here takes it from the folder that ferramentas/qt-mingw.sh
# builds (include/, lib/ and bin/), given as the cache variable
# MIVO_QSCINTILLA_DIR; MIVO_DLLS_QSCINTILLA then lists the DLL that a Windows
# installation must carry.
include_guard(GLOBAL)

find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)

if(CMAKE_CROSSCOMPILING)
  set(MIVO_QSCINTILLA_DIR "" CACHE PATH "QScintilla para Windows (pasta com include/, lib/ e bin/)")
  set(_qsci_implib "${MIVO_QSCINTILLA_DIR}/lib/libqscintilla2_qt6.dll.a")
  set(_qsci_dll "${MIVO_QSCINTILLA_DIR}/bin/qscintilla2_qt6.dll")
  foreach(f "${MIVO_QSCINTILLA_DIR}/include/Qsci/qsciscintilla.h" "${_qsci_implib}" "${_qsci_dll}")
    if(NOT EXISTS "${f}")
      message(FATAL_ERROR "Falta ${f}: rode ferramentas/qt-mingw.sh qscintilla e passe a pasta (-DMIVO_QSCINTILLA_DIR=...) ao cmake")
    endif()
  endforeach()
  add_library(Mivo::QScintilla SHARED IMPORTED GLOBAL)
  set_target_properties(Mivo::QScintilla PROPERTIES
    IMPORTED_IMPLIB "${_qsci_implib}"
    IMPORTED_LOCATION "${_qsci_dll}"
    INTERFACE_INCLUDE_DIRECTORIES "${MIVO_QSCINTILLA_DIR}/include")
  set(MIVO_DLLS_QSCINTILLA "${_qsci_dll}" CACHE INTERNAL "DLL do editor de scripts")
else()
  find_path(MIVO_QSCINTILLA_INCLUDE Qsci/qsciscintilla.h
    PATH_SUFFIXES qt6 x86_64-linux-gnu/qt6
    HINTS ${QT6_INSTALL_PREFIX}/include)
  find_library(MIVO_QSCINTILLA_BIBLIOTECA NAMES qscintilla2_qt6)
  if(NOT MIVO_QSCINTILLA_INCLUDE OR NOT MIVO_QSCINTILLA_BIBLIOTECA)
    message(FATAL_ERROR "QScintilla para Qt 6 não encontrado (pacote libqscintilla2-qt6-dev)")
  endif()
  add_library(Mivo::QScintilla UNKNOWN IMPORTED GLOBAL)
  set_target_properties(Mivo::QScintilla PROPERTIES
    IMPORTED_LOCATION "${MIVO_QSCINTILLA_BIBLIOTECA}"
    INTERFACE_INCLUDE_DIRECTORIES "${MIVO_QSCINTILLA_INCLUDE}")
  set(MIVO_DLLS_QSCINTILLA "" CACHE INTERNAL "DLL do editor de scripts")
endif()
# The headers declare their classes as imported from the shared library.
set_property(TARGET Mivo::QScintilla APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS QSCINTILLA_DLL)
set_property(TARGET Mivo::QScintilla APPEND PROPERTY INTERFACE_LINK_LIBRARIES Qt6::Widgets Qt6::PrintSupport)

# libzip, the library the spreadsheet importer opens .xlsx and .ods packages
# with (the .xls reader is our own), as the imported target mivo::libzip.
#
# On Linux it comes from the system (pkg-config: Debian's libzip-dev). A
# Windows build made here takes it from the folders that
# ferramentas/qt-mingw.sh builds (each with include/, lib/ and bin/), given
# as cache variables: MIVO_LIBZIP_MINGW and MIVO_ZLIB_MINGW
# (libzip's own dependency). MIVO_DLLS_PLANILHA then lists the DLLs that a
# Windows installation must carry.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING)
  set(MIVO_LIBZIP_MINGW "" CACHE PATH "libzip para Windows (pasta com include/, lib/ e bin/)")
  set(MIVO_ZLIB_MINGW "" CACHE PATH "zlib para Windows (a DLL de que a libzip precisa)")

  # mivo_biblioteca_mingw(<alvo> <pasta> <implib> <dll>)
  function(mivo_biblioteca_mingw alvo pasta implib dll)
    foreach(f "${pasta}/include" "${pasta}/lib/${implib}" "${pasta}/bin/${dll}")
      if(NOT EXISTS "${f}")
        message(FATAL_ERROR "Falta ${f}: rode ferramentas/qt-mingw.sh e passe a pasta (-D...) ao cmake")
      endif()
    endforeach()
    add_library(${alvo} SHARED IMPORTED GLOBAL)
    set_target_properties(${alvo} PROPERTIES
      IMPORTED_IMPLIB "${pasta}/lib/${implib}"
      IMPORTED_LOCATION "${pasta}/bin/${dll}"
      INTERFACE_INCLUDE_DIRECTORIES "${pasta}/include")
  endfunction()

  mivo_biblioteca_mingw(mivo::libzip "${MIVO_LIBZIP_MINGW}" libzip.dll.a libzip.dll)
  if(NOT EXISTS "${MIVO_ZLIB_MINGW}/bin/zlib1.dll")
    message(FATAL_ERROR "Falta ${MIVO_ZLIB_MINGW}/bin/zlib1.dll (MIVO_ZLIB_MINGW), de que a libzip precisa")
  endif()
  set(MIVO_DLLS_PLANILHA
    "${MIVO_LIBZIP_MINGW}/bin/libzip.dll"
    "${MIVO_ZLIB_MINGW}/bin/zlib1.dll"
    CACHE INTERNAL "DLLs da importação de planilhas")
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MIVO_LIBZIP REQUIRED IMPORTED_TARGET GLOBAL libzip)
  add_library(mivo::libzip ALIAS PkgConfig::MIVO_LIBZIP)
  set(MIVO_DLLS_PLANILHA "" CACHE INTERNAL "DLLs da importação de planilhas")
endif()

# One INTERFACE target carries the language standard, the warnings and the
# Qt definitions that the whole project uses.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Tipo de build" FORCE)
endif()

add_library(mivo_config INTERFACE)
target_compile_features(mivo_config INTERFACE cxx_std_20)
target_compile_definitions(mivo_config INTERFACE
  QT_NO_FOREACH
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(mivo_config INTERFACE -Wall -Wextra -Wno-unused-parameter)
endif()

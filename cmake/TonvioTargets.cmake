# Shared compile settings and the helpers every folder uses to declare its targets.

add_library(tonvio_settings INTERFACE)
target_compile_features(tonvio_settings INTERFACE cxx_std_20)
target_include_directories(tonvio_settings INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(tonvio_settings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)

if(WIN32)
  # Unicode Win32 API, Windows 7 as the oldest target, and no MinGW DLLs beside the programs.
  target_compile_definitions(tonvio_settings INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_link_options(tonvio_settings INTERFACE -static -static-libgcc -static-libstdc++)
endif()

if(WIN32 AND TONVIO_SEPARATE_SYMBOLS)
  # The shipped programs: compiled with symbols, which the link step below moves out of the file.
  # Unused functions and data are left out of the link.
  target_compile_options(tonvio_settings INTERFACE -g -ffunction-sections -fdata-sections)
  target_link_options(tonvio_settings INTERFACE -Wl,--gc-sections)
endif()

if(TONVIO_SANITIZE)
  target_compile_options(tonvio_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(tonvio_settings INTERFACE -fsanitize=address,undefined)
endif()

if(TONVIO_TSAN)
  target_compile_options(tonvio_settings INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(tonvio_settings INTERFACE -fsanitize=thread)
endif()

if(TONVIO_FUZZ)
  # Coverage for the fuzz targets reaches into every library.
  # Undefined behaviour stops the run like a crash, so that the fuzzer keeps the input.
  target_compile_options(tonvio_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=all)
  target_link_options(tonvio_settings INTERFACE -fsanitize=address,undefined)
  if(TONVIO_FUZZ_COVERAGE)
    target_compile_options(tonvio_settings INTERFACE -fprofile-instr-generate -fcoverage-mapping)
    target_link_options(tonvio_settings INTERFACE -fprofile-instr-generate)
  endif()
endif()

# tonvio_library(<name> [DEPS <libs>...]): a static library of every .cpp in the calling folder.
function(tonvio_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC tonvio_settings ${ARG_DEPS})
endfunction()

# tonvio_windows_program(<name> SOURCES ... DESCRIPTION <text> [DEPS ...] [GUI]):
# a statically linked Windows program with a version resource and an application manifest.
function(tonvio_windows_program name)
  cmake_parse_arguments(ARG "GUI" "DESCRIPTION" "SOURCES;DEPS" ${ARGN})
  set(TONVIO_FILE_DESCRIPTION "${ARG_DESCRIPTION}")
  set(TONVIO_INTERNAL_NAME "${name}")
  set(TONVIO_MANIFEST "${PROJECT_SOURCE_DIR}/cmake/app.manifest")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc @ONLY)
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
  target_link_libraries(${name} PRIVATE tonvio_settings ${ARG_DEPS})
  if(ARG_GUI)
    target_link_options(${name} PRIVATE -mwindows -municode)
  else()
    target_link_options(${name} PRIVATE -municode)
  endif()
  tonvio_separate_symbols(${name})
endfunction()

# tonvio_separate_symbols(<target>): with TONVIO_SEPARATE_SYMBOLS, the program's symbols go into
# <program>.debug beside it (for crash analysis: gdb finds them through the debug link) and the
# program keeps none.
function(tonvio_separate_symbols target)
  if(NOT TONVIO_SEPARATE_SYMBOLS)
    return()
  endif()
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "TONVIO_SEPARATE_SYMBOLS needs objcopy")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all $<TARGET_FILE:${target}>
    COMMAND ${CMAKE_COMMAND} -E chdir $<TARGET_FILE_DIR:${target}>
            ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug $<TARGET_FILE_NAME:${target}>
    COMMENT "Symbols of ${target} into $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()

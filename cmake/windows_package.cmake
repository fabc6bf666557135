# The folder a Windows user unzips and runs: the program, the Qt libraries and
# plugins it loads, MinGW's runtime that both share, Qt's Japanese texts, the
# IPAGothic file for systems without a Japanese gothic of their own, and the
# licences of all of them. The build lays out the same runtime beside the
# programs in bin/, so that the tests run there under Wine as the zip does;
# `cpack` makes mojik-<version>-win64.zip of what `cmake --install` lays out.

# MinGW's C++ runtime, which the Qt libraries were built against: one copy
# for the program and Qt alike.
set(mojik_mingw_runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The MinGW runtime ${dll} was not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    list(APPEND mojik_mingw_runtime ${path})
endforeach()

set(mojik_japanese_texts /usr/share/qt6/translations/qtbase_ja.qm)
set(mojik_font /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf)
foreach(file ${mojik_japanese_texts} ${mojik_font})
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "${file} is missing: scripts/install-deps run installs it")
    endif()
endforeach()
# The licences, each under the name it has in the zip's licenses folder: ours,
# Qt's (LGPL-3.0, with the bundled code it carries), the font's, and MinGW's
# runtime (GCC's runtime library exception; winpthreads).
set(mojik_licences
    "/usr/share/doc/libqt6core6/copyright|Qt.txt"
    "/usr/share/common-licenses/LGPL-3|LGPL-3.0.txt"
    "/usr/share/common-licenses/GPL-3|GPL-3.0.txt"
    "/usr/share/doc/fonts-ipafont-gothic/copyright|IPAGothic.txt"
    "/usr/share/doc/gcc-mingw-w64-base/copyright|MinGW-gcc.txt"
    "/usr/share/doc/mingw-w64-common/copyright|MinGW-w64.txt")

# Each file of the runtime with the folder it goes to, beside the programs.
set(mojik_runtime
    "$<TARGET_FILE:Qt6::Core>|."
    "$<TARGET_FILE:Qt6::Gui>|."
    "$<TARGET_FILE:Qt6::Widgets>|."
    "$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>|platforms"
    "$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>|styles"
    "${mojik_japanese_texts}|translations"
    "${mojik_font}|fonts")
foreach(dll ${mojik_mingw_runtime})
    list(APPEND mojik_runtime "${dll}|.")
endforeach()
# What only the tests load: Qt Test and the offscreen platform they draw on.
set(mojik_test_runtime
    "$<TARGET_FILE:Qt6::Test>|."
    "$<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>|platforms")

set(copies)
foreach(entry ${mojik_runtime} ${mojik_test_runtime})
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 folder)
    list(APPEND copies
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
endforeach()
add_custom_target(windows_runtime ALL ${copies} VERBATIM)
add_dependencies(mojik windows_runtime)

# Qt's libraries and MinGW's runtime come with their symbols, which only a
# debugger reads: the zip carries them stripped, as CPack strips the programs.
foreach(entry ${mojik_runtime})
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 folder)
    install(FILES ${file} DESTINATION ${folder})
    if(file MATCHES "^\\$<TARGET_FILE:" OR file MATCHES "\\.dll$")
        install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${folder}/$<PATH:GET_FILENAME,${file}>\"
            COMMAND_ERROR_IS_FATAL ANY)")
    endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
foreach(entry ${mojik_licences})
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 name)
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "${file} is missing")
    endif()
    install(FILES ${file} DESTINATION licenses RENAME ${name})
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME mojik)
set(CPACK_PACKAGE_FILE_NAME mojik-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

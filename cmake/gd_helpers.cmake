# gd_library(NAME FOLDER LIBS...): one static library from every .cpp of FOLDER
# (not recursive), so adding a source file needs no CMake edit.
function(gd_library name folder)
  file(GLOB _src CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h" "${folder}/*.qrc")
  if(NOT _src)
    # A folder without sources yet still gives a linkable library.
    set(_src ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${_src} "")
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# gd_module(NAME FOLDER LIBS... [HEADERS_OF GD_LIBS...]): a shared module
# "NAME.so" from every .cpp of FOLDER, loaded by the program at its first use
# (see base/program_module.h). It is written into the build folder beside the
# game and installed into the game's own library folder. HEADERS_OF names the
# libraries whose interface headers it implements without linking them (the
# library that loads it holds their code); scripts/check-includes allows them.
function(gd_module name folder)
  cmake_parse_arguments(_arg "" "" "HEADERS_OF" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
  add_library(${name} MODULE ${_src})
  set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PRIVATE ${_arg_UNPARSED_ARGUMENTS})
  install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/gloopdash)
endfunction()

# gd_tests(FOLDER LIBS...): one test program per tests/FOLDER/test_*.cpp, each run
# by CTest under the offscreen platform. Folders listed in GD_LEAK_CHECKED run
# with LeakSanitizer on (in a sanitized build), with tests/lsan.supp.
function(gd_tests folder)
  if(folder IN_LIST GD_LEAK_CHECKED)
    set(_asan "detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
  else()
    set(_asan "detect_leaks=0")
  endif()
  file(GLOB _tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/test_*.cpp")
  file(GLOB _support CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/support_*.cpp"
                                       "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/support_*.h")
  foreach(_t ${_tests})
    get_filename_component(_n ${_t} NAME_WE)
    set(_target ${folder}_${_n})
    add_executable(${_target} ${_t} ${_support})
    target_link_libraries(${_target} PRIVATE Qt6::Test ${ARGN})
    target_include_directories(${_target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${folder}
                                                  ${CMAKE_CURRENT_SOURCE_DIR}/support)
    add_test(NAME ${_target} COMMAND ${_target})
    set_tests_properties(${_target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=${_asan};GLOOPDASH_DISCOVERY_ADDRESSES=127.0.0.1,::1;GD_TOOLS_DIR=${PROJECT_BINARY_DIR}/tools;GD_APP=${PROJECT_BINARY_DIR}/gloopdash"
      TIMEOUT 300)
  endforeach()
endfunction()

# gd_assets(TARGET FOLDER): compiles every file of assets/FOLDER into TARGET as
# the Qt resources ":/FOLDER/<file name>".
function(gd_assets target folder)
  file(GLOB _files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/assets/${folder}/*")
  list(FILTER _files EXCLUDE REGEX "README")
  if(_files)
    qt_add_resources(${target} "${target}_${folder}" PREFIX "/${folder}"
                     BASE "${PROJECT_SOURCE_DIR}/assets/${folder}" FILES ${_files})
  endif()
endfunction()

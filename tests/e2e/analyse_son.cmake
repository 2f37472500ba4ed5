# analyse_son: finds the program's clips in a raw capture of its output, for the end-to-end
# tests. Included from tests/CMakeLists.txt before the e2e folder, so that folder can test
# for the target.
set(analyse_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(analyse_son_core STATIC ${analyse_dir}/AnalyseSon.cpp ${analyse_dir}/AnalyseSon.h)
target_link_libraries(analyse_son_core PUBLIC quentor_core)
target_include_directories(analyse_son_core PUBLIC ${analyse_dir})

add_executable(analyse_son ${analyse_dir}/analyse_son.cpp)
target_link_libraries(analyse_son PRIVATE analyse_son_core)
set_target_properties(analyse_son PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/e2e)

add_executable(analyse_son_tests ${analyse_dir}/AnalyseSonTest.cpp)
target_link_libraries(analyse_son_tests PRIVATE analyse_son_core GTest::gtest_main)
set_target_properties(analyse_son_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/e2e)
gtest_discover_tests(analyse_son_tests DISCOVERY_TIMEOUT 60)

# Attente under a wall clock that jumps past midnight and back (libfaketime, real monotonic
# clock), in the unit-test binary.
find_library(QUENTOR_FAKETIME NAMES libfaketime.so.1 PATH_SUFFIXES faketime
             PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE} /usr/lib)
if(QUENTOR_FAKETIME)
  set(horloge_rc ${CMAKE_CURRENT_BINARY_DIR}/faketime-attente.rc)
  add_test(NAME attente_saut_horloge
           COMMAND ${CMAKE_COMMAND} -E env LD_PRELOAD=${QUENTOR_FAKETIME}
                   FAKETIME_TIMESTAMP_FILE=${horloge_rc} FAKETIME_NO_CACHE=1
                   FAKETIME_DONT_FAKE_MONOTONIC=1 QUENTOR_FAKETIME_FICHIER=${horloge_rc}
                   QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
                   $<TARGET_FILE:quentor_tests> --gtest_filter=HorlogeReelleSautHorloge.*)
  set_tests_properties(attente_saut_horloge PROPERTIES PASS_REGULAR_EXPRESSION "PASSED  \\] 1 test"
                       FAIL_REGULAR_EXPRESSION "SKIPPED|FAILED")
endif()

# The help archive HELP.mht next to the program: the Arabic page from
# resources/help/ with pictures of the real windows, taken at build time.

add_library(mkhelp_pack STATIC ${CMAKE_SOURCE_DIR}/tools/mkhelp/mhtml.cpp)
target_include_directories(mkhelp_pack PUBLIC ${CMAKE_SOURCE_DIR}/tools/mkhelp)
target_link_libraries(mkhelp_pack PUBLIC Qt6::Core)

add_executable(mkhelp ${CMAKE_SOURCE_DIR}/tools/mkhelp/mkhelp.cpp)
target_link_libraries(mkhelp PRIVATE mkhelp_pack)

add_executable(helpshots ${CMAKE_SOURCE_DIR}/tools/mkhelp/helpshots.cpp)
target_link_libraries(helpshots PRIVATE velkaram_windows)

# Every window the page has a section for; those not built yet are skipped.
set(HELP_WINDOWS aa A dream encyclopidia aboutme)
set(HELP_PAGE ${CMAKE_SOURCE_DIR}/resources/help/help.html)
set(HELP_SHOTS_DIR ${CMAKE_BINARY_DIR}/help-shots)

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/HELP.mht
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:helpshots> ${CMAKE_BINARY_DIR} ${HELP_SHOTS_DIR} ${HELP_WINDOWS}
  COMMAND mkhelp ${HELP_PAGE} ${HELP_SHOTS_DIR} ${CMAKE_BINARY_DIR}/HELP.mht
  DEPENDS helpshots mkhelp ${HELP_PAGE}
          ${CMAKE_BINARY_DIR}/kelvra.mdb ${CMAKE_BINARY_DIR}/KELVRA
  COMMENT "Building HELP.mht with pictures of the windows")
add_custom_target(program_help ALL DEPENDS ${CMAKE_BINARY_DIR}/HELP.mht)
# Built with everything else, but the program's link never waits for it.
add_dependencies(program_help program_files)

# The program's pictures: drawn by mkart at build time and compiled into
# the program's windows as resources under :/art/.
add_executable(mkart
  tools/mkart/main.cpp
  tools/mkart/artkit.cpp
  tools/mkart/scenery.cpp
  tools/mkart/menuart.cpp
  tools/mkart/iconart.cpp
  tools/mkart/splashart.cpp
  tools/mkart/sayingart.cpp)
target_link_libraries(mkart PRIVATE Qt6::Gui)

set(VELKARAM_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(VELKARAM_ART_FILES
  menu.png help.png minimize.png exit.png about.png hand.png
  splash.png saying.png aboutpic.png)
list(TRANSFORM VELKARAM_ART_FILES PREPEND ${VELKARAM_ART_DIR}/ OUTPUT_VARIABLE VELKARAM_ART_PATHS)

# Depending on the mkart target re-draws every picture whenever its code changes.
add_custom_command(
  OUTPUT ${VELKARAM_ART_PATHS}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:mkart> ${VELKARAM_ART_DIR}
  DEPENDS mkart
  COMMENT "Drawing the program's pictures")
set_source_files_properties(${VELKARAM_ART_PATHS} PROPERTIES GENERATED TRUE)

qt_add_resources(velkaram_windows "art"
  PREFIX "/art"
  BASE ${VELKARAM_ART_DIR}
  FILES ${VELKARAM_ART_PATHS})

# The program's sounds, synthesised by our own generator and placed next to
# the executable: s0.wav (start-up chime) and kelvra.wav (the night piece).
add_executable(mksound
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/synth.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wavfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nightpiece.cpp
)
set_target_properties(mksound PROPERTIES AUTOMOC OFF)

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/s0.wav ${CMAKE_BINARY_DIR}/kelvra.wav
  COMMAND mksound ${CMAKE_BINARY_DIR}/s0.wav ${CMAKE_BINARY_DIR}/kelvra.wav
  DEPENDS mksound
  COMMENT "Synthesising s0.wav and kelvra.wav")
add_custom_target(program_sounds ALL DEPENDS ${CMAKE_BINARY_DIR}/s0.wav ${CMAKE_BINARY_DIR}/kelvra.wav)
add_dependencies(velkaram program_sounds)

# Draws every picture afresh into WORK and compares each with the copy kept
# in the repository; a difference means the generator changed and its
# pictures were not drawn again (tools/mkbitmaps all korvisa/res/bitmaps
# install/files/HELMSET/BIN).
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${PYTHON} ${GENERATOR} all ${WORK}/res ${WORK}/bin RESULT_VARIABLE drawn)
if(NOT drawn EQUAL 0)
  message(FATAL_ERROR "mkbitmaps failed: ${drawn}")
endif()
set(stale "")
foreach(pair "res;korvisa/res/bitmaps" "bin;install/files/HELMSET/BIN")
  list(GET pair 0 made)
  list(GET pair 1 kept)
  file(GLOB names RELATIVE ${WORK}/${made} ${WORK}/${made}/*)
  foreach(name ${names})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${made}/${name} ${SOURCE}/${kept}/${name}
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      list(APPEND stale ${kept}/${name})
    endif()
  endforeach()
endforeach()
if(stale)
  message(FATAL_ERROR "pictures not drawn again after a change of the generator: ${stale}")
endif()

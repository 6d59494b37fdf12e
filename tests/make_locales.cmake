# Compiles the locales the settings tests load (C needs none).
file(MAKE_DIRECTORY ${OUT})
foreach(loc en_US de_DE fr_FR)
  if(NOT EXISTS ${OUT}/${loc}.UTF-8/LC_MONETARY)
    execute_process(COMMAND localedef -i ${loc} -f UTF-8 ${OUT}/${loc}.UTF-8
                    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT EXISTS ${OUT}/${loc}.UTF-8/LC_MONETARY)
      message(FATAL_ERROR "localedef could not make ${loc}.UTF-8 (exit ${rc})")
    endif()
  endif()
endforeach()

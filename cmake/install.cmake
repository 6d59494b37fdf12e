# Install rules: both libraries, the public headers, zmask, the manual
# pages zmask(1) and zorva(3), the SQLite extension when it is built, a CMake
# package (find_package(zorva) gives zorva::zorva and zorva::zorva_static)
# and a pkg-config file.
include(CMakePackageConfigHelpers)

set(ZORVA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zorva)

set(ZORVA_INSTALL_TARGETS zorva_core)
if(TARGET zorva)
  list(APPEND ZORVA_INSTALL_TARGETS zorva)
endif()
install(TARGETS ${ZORVA_INSTALL_TARGETS} EXPORT zorvaTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES
  ${PROJECT_SOURCE_DIR}/include/zorva/automation.h
  ${PROJECT_SOURCE_DIR}/include/zorva/automation_types.h
  ${PROJECT_SOURCE_DIR}/include/zorva/export.h
  ${PROJECT_SOURCE_DIR}/include/zorva/masked_edit.h
  ${PROJECT_SOURCE_DIR}/include/zorva/types.h
  ${PROJECT_SOURCE_DIR}/include/zorva/value_types.def
  ${PROJECT_SOURCE_DIR}/include/zorva/zorva.h
  ${PROJECT_BINARY_DIR}/include/zorva/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zorva)
install(FILES ${PROJECT_SOURCE_DIR}/doc/zorva.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3)
if(TARGET zmask)
  install(TARGETS zmask RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # zmask(1) is written from the command's own help; it needs help2man.
  find_program(ZORVA_HELP2MAN help2man)
  if(ZORVA_HELP2MAN)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/zmask.1
      COMMAND sh ${PROJECT_SOURCE_DIR}/doc/zmask_man.sh $<TARGET_FILE:zmask> ${PROJECT_BINARY_DIR}/zmask.1
      DEPENDS zmask ${PROJECT_SOURCE_DIR}/doc/zmask_man.sh
      COMMENT "Writing the zmask manual page")
    add_custom_target(zmask_man ALL DEPENDS ${PROJECT_BINARY_DIR}/zmask.1)
    install(FILES ${PROJECT_BINARY_DIR}/zmask.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(STATUS "help2man not found: zmask's manual page is not made")
  endif()
endif()
# The SQLite extension keeps the name SQLite derives its entry point from
# (zorva.so: sqlite3_zorva_init), in a folder of its own: ".load
# /usr/local/lib/zorva/zorva". A component, to install it alone.
if(TARGET zorva_sqlite)
  install(TARGETS zorva_sqlite LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/zorva COMPONENT sqlite)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(EXPORT zorvaTargets NAMESPACE zorva:: DESTINATION ${ZORVA_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/zorvaConfig.cmake.in
  ${PROJECT_BINARY_DIR}/zorvaConfig.cmake INSTALL_DESTINATION ${ZORVA_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/zorvaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/zorvaConfig.cmake ${PROJECT_BINARY_DIR}/zorvaConfigVersion.cmake
  DESTINATION ${ZORVA_CMAKE_DIR})

# pkg-config: "zorva" links the shared library; --static adds the C++
# runtime (what a C program lacks, as for zorva::zorva_static). The prefix
# is found from the file's own place, so an installed tree can be moved (or
# installed with cmake --install --prefix).
file(RELATIVE_PATH ZORVA_PC_UP "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(ZORVA_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
else()
  set(ZORVA_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
endif()
if(IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(ZORVA_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
else()
  set(ZORVA_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
list(TRANSFORM ZORVA_CXX_RUNTIME PREPEND -l OUTPUT_VARIABLE ZORVA_PC_LIBS_PRIVATE)
list(JOIN ZORVA_PC_LIBS_PRIVATE " " ZORVA_PC_LIBS_PRIVATE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zorva.pc.in ${PROJECT_BINARY_DIR}/zorva.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zorva.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

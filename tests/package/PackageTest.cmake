# Builds the Debian package into SCRATCH, unpacks it with dpkg -x into a root
# of its own and runs the installed programs from there.
#   cmake -D BUILD_DIR=.. -D SCRATCH=.. -D CPACK=cpack -D VERSION=x.y.z -P PackageTest.cmake
foreach(var BUILD_DIR SCRATCH CPACK VERSION)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/out ${SCRATCH}/root)

execute_process(
  COMMAND ${CPACK} -G DEB -B ${SCRATCH}/out --config ${BUILD_DIR}/CPackConfig.cmake
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()
file(GLOB debs ${SCRATCH}/out/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${SCRATCH}/out, found: ${debs}")
endif()
message(STATUS "package: ${debs}")

execute_process(COMMAND dpkg-deb --field ${debs} Package Version Depends
  RESULT_VARIABLE rc OUTPUT_VARIABLE fields)
if(NOT rc EQUAL 0 OR NOT fields MATCHES "Package: orvatix\n" OR
   NOT fields MATCHES "Version: ${VERSION}" OR NOT fields MATCHES "libqt6")
  message(FATAL_ERROR "unexpected control fields:\n${fields}")
endif()

# Debian's own check of the package: any error or warning fails the test.
find_program(LINTIAN lintian)
if(NOT LINTIAN)
  message(FATAL_ERROR "lintian is missing (scripts/install-deps.sh installs it)")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error,warning --tag-display-limit 0 ${debs}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lintian finds faults in the package (${rc}):\n${out}${err}")
endif()
message(STATUS "lintian: no errors, no warnings")

execute_process(COMMAND dpkg -x ${debs} ${SCRATCH}/root RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg -x failed: ${err}")
endif()

set(root ${SCRATCH}/root/usr)
foreach(file
    bin/orvatix
    bin/orvatix-box-sim
    bin/orvatix-monitor
    share/applications/orvatix.desktop
    share/man/man1/orvatix.1.gz
    share/man/man1/orvatix-monitor.1.gz
    share/man/man1/orvatix-box-sim.1.gz
    share/doc/orvatix/copyright
    share/icons/hicolor/scalable/apps/orvatix.svg
    share/orvatix/ManualEnglish.pdf
    share/orvatix/ManualGerman.pdf
    share/orvatix/ManualFrench.pdf
    share/orvatix/ManualItalian.pdf
    share/orvatix/ManualSpanish.pdf)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "the package lacks /usr/${file}")
  endif()
endforeach()

# The installed programs run from the unpacked root, not from the build.
execute_process(COMMAND ${root}/bin/orvatix --version
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" MATCHES "${VERSION}")
  message(FATAL_ERROR "orvatix --version (${rc}): ${out}${err}")
endif()
execute_process(COMMAND ${root}/bin/orvatix-box-sim --help
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "usage: orvatix-box-sim" OR NOT out MATCHES "--replay")
  message(FATAL_ERROR "orvatix-box-sim --help (${rc}): ${out}${err}")
endif()
execute_process(COMMAND ${root}/bin/orvatix-monitor --help
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "orvatix-monitor --port DEVICE" OR NOT out MATCHES "EXIT STATUS")
  message(FATAL_ERROR "orvatix-monitor --help (${rc}): ${out}${err}")
endif()
# The monitor runs where there is no display: no widgets library.
execute_process(COMMAND ldd ${root}/bin/orvatix-monitor OUTPUT_VARIABLE monitorLibs)
if(monitorLibs MATCHES "Qt6Widgets")
  message(FATAL_ERROR "orvatix-monitor links Qt Widgets:\n${monitorLibs}")
endif()
execute_process(COMMAND ldd ${root}/bin/orvatix OUTPUT_VARIABLE libs)
if(libs MATCHES "${BUILD_DIR}")
  message(FATAL_ERROR "the installed program still looks into the build folder:\n${libs}")
endif()
message(STATUS "the package installs and its programs run")

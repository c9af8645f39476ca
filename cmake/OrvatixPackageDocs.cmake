# What Debian wants beside the programs: the manual pages of the three
# programs, the package's changelog and its copyright file, compressed the
# way Debian compresses them (gzip -9n: no name, no time stamp, so that the
# package is the same on every build).
include(GNUInstallDirs)

set(ORVATIX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(gz_dir ${PROJECT_BINARY_DIR}/packaging)
set(gz_files "")

# orvatix_gzip(SOURCE NAME): ${gz_dir}/NAME.gz from SOURCE at build time.
function(orvatix_gzip source name)
  set(out ${gz_dir}/${name}.gz)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gz_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${gz_dir}/${name}
    COMMAND gzip -9nf ${gz_dir}/${name}
    DEPENDS ${source}
    VERBATIM)
  set(gz_files ${gz_files} ${out} PARENT_SCOPE)
endfunction()

foreach(program orvatix orvatix-monitor orvatix-box-sim)
  orvatix_gzip(${ORVATIX_PACKAGING_DIR}/man/${program}.1 ${program}.1)
  install(FILES ${gz_dir}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# A version without a Debian revision is a native package: its changelog is
# changelog.gz, otherwise changelog.Debian.gz.
if(ORVATIX_PACKAGE_VERSION MATCHES "-")
  set(changelog_name changelog.Debian)
else()
  set(changelog_name changelog)
endif()
orvatix_gzip(${ORVATIX_PACKAGING_DIR}/debian/changelog ${changelog_name})
install(FILES ${gz_dir}/${changelog_name}.gz ${ORVATIX_PACKAGING_DIR}/debian/copyright
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

add_custom_target(orvatix_package_docs ALL DEPENDS ${gz_files})

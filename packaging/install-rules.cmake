# Install layout shared by every program. Destinations are relative to the prefix, and help and
# data go beside bin/: a program finds its help through ../share/<program>/ from the folder of
# the command the user started (a window program lives in lib/knobstation/, started by its
# command in bin/).
# A further program installs itself with install(TARGETS name RUNTIME DESTINATION bin) and its
# manual page with kbs_install_manual(); the package takes whatever is installed.

# Directories an install creates, readable by everyone whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Installs a manual page (its section from the file name, e.g. knobctl.1), compressed as Debian
# expects.
function(kbs_install_manual page)
  get_filename_component(name ${page} NAME)
  string(REGEX REPLACE ".*\\.([1-9])$" "\\1" section ${name})
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND gzip -9nc ${page} > ${compressed}
    DEPENDS ${page}
    VERBATIM)
  add_custom_target(manual-${name} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION share/man/man${section})
endfunction()

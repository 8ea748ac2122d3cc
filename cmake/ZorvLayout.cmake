# Where an installation puts the program, relative to its prefix: the two
# programs in bin; the report library and the print module in a private library
# folder under the multiarch library folder (lib/x86_64-linux-gnu/zorv2008 on
# Debian), found through the program's run path and the tool's module lookup, so
# that nothing of ours lands in the folders the dynamic linker searches; the
# reference files, the user guide and the start picture in the shared-data folder.
set(ZORV_INSTALL_BINDIR bin)
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(ZORV_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/zorv2008)
else()
  set(ZORV_INSTALL_LIBDIR lib/zorv2008)
endif()
set(ZORV_INSTALL_FILESDIR share/zorv2008)
set(ZORV_INSTALL_DOCDIR share/doc/zorv2008)
set(ZORV_INSTALL_MANDIR share/man/man1)

# The same folders as an installed program reaches them from its own.
file(RELATIVE_PATH ZORV_LIBS_FROM_PROGRAM /prefix/${ZORV_INSTALL_BINDIR} /prefix/${ZORV_INSTALL_LIBDIR})
file(RELATIVE_PATH ZORV_FILES_FROM_PROGRAM /prefix/${ZORV_INSTALL_BINDIR} /prefix/${ZORV_INSTALL_FILESDIR})

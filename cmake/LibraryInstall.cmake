# Run by `cmake --install` (cmake/Library.cmake): the parts of the library's installation that
# depend on the prefix given then. file(INSTALL) puts DESTDIR before each destination.
#
# The Python module goes where the interpreter the build found looks for modules under the
# prefix: Debian's Python reads /usr/lib/python3/dist-packages for the prefix /usr and
# PREFIX/lib/python3.X/dist-packages for others (/usr/local); any other Python its own
# "purelib" folder of the prefix.
execute_process(
    COMMAND "${PYTHON}" -c "
import sys, sysconfig
prefix = sys.argv[1]
if 'deb_system' in sysconfig.get_scheme_names():
    print(prefix + ('/lib/python3/dist-packages' if prefix == '/usr' else '/lib/python%d.%d/dist-packages' % sys.version_info[:2]))
else:
    print(sysconfig.get_path('purelib', 'posix_prefix', {'base': prefix, 'platbase': prefix}))
" "${CMAKE_INSTALL_PREFIX}"
    OUTPUT_VARIABLE PYTHON_DIR OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(INSTALL "${SOURCE_DIR}/python/glyphdock" DESTINATION "${PYTHON_DIR}" FILES_MATCHING PATTERN "*.py")

# The module finds the library by its place relative to the module's own folder.
file(RELATIVE_PATH LIBRARY_FROM_MODULE "${PYTHON_DIR}/glyphdock" "${CMAKE_INSTALL_PREFIX}/${LIBDIR}/libglyphdock.so.0")
file(WRITE "${BINARY_DIR}/install/_location.py"
     "# Written by `make install`: where the library lies, from this folder.\nLIBRARY = \"${LIBRARY_FROM_MODULE}\"\n")
file(INSTALL "${BINARY_DIR}/install/_location.py" DESTINATION "${PYTHON_DIR}/glyphdock")

set(PREFIX "${CMAKE_INSTALL_PREFIX}")
configure_file("${SOURCE_DIR}/lib/glyphdock.pc.in" "${BINARY_DIR}/install/glyphdock.pc" @ONLY)
file(INSTALL "${BINARY_DIR}/install/glyphdock.pc" DESTINATION "${CMAKE_INSTALL_PREFIX}/${LIBDIR}/pkgconfig")

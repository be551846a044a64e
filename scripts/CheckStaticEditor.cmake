# Fails when the program loads the system's shared QScintilla instead of having the patched one
# built in: the shared library would be named among the program's needed libraries.
# Run as: cmake -DPROGRAM=<path of veldra-studio> -P CheckStaticEditor.cmake

cmake_minimum_required(VERSION 3.20)

file(STRINGS "${PROGRAM}" needed REGEX "libqscintilla2[^ ]*\\.so")
if(needed)
  message(FATAL_ERROR "${PROGRAM} loads the system's QScintilla (${needed}), not the patched "
    "one built with it")
endif()

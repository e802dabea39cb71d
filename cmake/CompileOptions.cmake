# Compiler and linker settings of every build of the project: the 32-bit one
# and the 64-bit sub-build beside it (cmake/x64).

# Every string literal becomes Shift-JIS: the program's texts are code page 932.
add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932 -Wall -Wextra)
# Every function and datum in a section of its own, so that a program can
# leave out what it does not use (the shipped one links with --gc-sections).
add_compile_options(-ffunction-sections -fdata-sections)
# What ships (the framework and the program) is built for size and without
# exception tables: it catches no exception and lets none escape. It has no
# function-local static that is made at run time: its shared data is
# constant-initialised, or read at the program's entry before any thread
# starts, so no static needs a guard (whose runtime code would bring the
# unwinder); the test local_static_guards checks it.
set(SHIPPED_CODE_OPTIONS -Os -fno-exceptions -fno-asynchronous-unwind-tables -fno-unwind-tables
                         -fno-threadsafe-statics)
# The system's malloc, which operator new returns, aligns to 8 bytes on 32-bit
# Windows (16 on 64-bit); the compiler's default assumes 16 on both, and would
# give a type aligned to 16 the plain operator new. Told the truth, it gives
# such a type the operator new that takes an alignment.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-faligned-new=8>)
endif()
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 NOMINMAX STRICT)
# Resource scripts are UTF-8; windres turns their texts into code page 932.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Nothing but system DLLs at run time: libgcc and libstdc++ are linked in.
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS} -static-libgcc -static-libstdc++")

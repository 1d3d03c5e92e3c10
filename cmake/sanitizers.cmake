# HEXALUNE_SANITIZE=ON builds everything (program, libraries and tests) with
# AddressSanitizer and UndefinedBehaviorSanitizer; the first finding ends the
# process. Needs the dynamic C library, so the executable is not linked
# statically. scripts/test-sanitizers configures and runs such a build.
option(HEXALUNE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(HEXALUNE_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "HEXALUNE_SANITIZE needs GCC or Clang")
    endif()
    if(HEXALUNE_STATIC)
        message(FATAL_ERROR "HEXALUNE_SANITIZE needs -DHEXALUNE_STATIC=OFF")
    endif()
    set(HEXALUNE_STATIC OFF)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
    # GCC documents that the sanitizers' instrumentation makes its
    # -Wmaybe-uninitialized report false positives (here, inside the
    # standard library's <regex>); the sanitizers themselves find what that
    # warning is for.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-Wno-maybe-uninitialized)
    endif()
endif()

# How test programs are compiled. Included by OrvatixTest.cmake.
#
# Test programs are most of what the build compiles, and much of their time
# goes to the same headers (GoogleTest and the standard library). They are
# parsed once into one precompiled header that every test program reuses
# (ORVATIX_TEST_PCH). Qt's headers stay out: their keyword macros (slots,
# signals, emit) would reach tests that never include Qt and use those words
# as names. GCC drops a precompiled header whose flags do not match
# the program's and says so (-Winvalid-pch, an error here), so a mismatch
# shows at once instead of silently costing time. Clang refuses a header built
# with other macros outright, so only GCC builds use it.
#
# In the normal build test programs are compiled without optimisation and with
# line tables only (-O0 -g1): enough for backtraces, much less to compile and
# link; what they test is the libraries, built as the program has them. (GCC 12
# at -O1 and up also warns falsely about std::string arithmetic in tests.) The sanitizer builds keep
# their optimisation and take line tables too, all a sanitizer report needs.

option(ORVATIX_TEST_PCH "Test programs share one precompiled header (GCC)" ON)

if(NOT TARGET orvatix_test_flags)
  # Qt asks for position-independent code (-fPIC); every test program and the
  # shared header are compiled that way, so that the one header fits them all.
  add_library(orvatix_test_flags INTERFACE)
  target_compile_options(orvatix_test_flags INTERFACE -fPIC)
  if(CMAKE_BUILD_TYPE STREQUAL "RelWithDebInfo")
    target_compile_options(orvatix_test_flags INTERFACE -O0 -g1)
  elseif(ORVATIX_SANITIZE)
    target_compile_options(orvatix_test_flags INTERFACE -g1)
  endif()
endif()

set(ORVATIX_USE_TEST_PCH OFF)
if(ORVATIX_TEST_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(ORVATIX_USE_TEST_PCH ON)
endif()
set(ORVATIX_TEST_PCH_SOURCE ${CMAKE_CURRENT_LIST_DIR}/pch/TestHeaders.cpp)

# orvatix_make_test_pch(): the shared header's target. The top-level file
# calls it once the build's own compile options (sanitizers) are set, so that
# the header and the test programs are compiled alike.
function(orvatix_make_test_pch)
  add_library(orvatix_test_pch OBJECT ${ORVATIX_TEST_PCH_SOURCE})
  target_link_libraries(orvatix_test_pch PRIVATE GTest::gtest orvatix_warnings
                                                 orvatix_test_flags)
  set(orvatix_test_pch_headers
    <gtest/gtest.h>
    <algorithm> <atomic> <chrono> <cmath> <cstdint> <cstdio> <cstdlib> <cstring> <deque>
    <fstream> <functional> <limits> <memory> <mutex> <optional> <sstream> <stdexcept>
    <string> <thread> <vector>)
  target_precompile_headers(orvatix_test_pch PRIVATE ${orvatix_test_pch_headers})
  set_target_properties(orvatix_test_pch PROPERTIES AUTOMOC OFF)
endfunction()

# orvatix_test_compile_setup(<target>): a test program's compile settings.
function(orvatix_test_compile_setup target)
  if(ORVATIX_USE_TEST_PCH)
    target_precompile_headers(${target} REUSE_FROM orvatix_test_pch)
  endif()
endfunction()

# Warnings are errors in our own code only; system headers stay out of it. At -O2 GCC 12 reports
# std::string copies as overlapping (-Wrestrict) and aggregates of strings as maybe uninitialised,
# wrongly in both cases, so those two are off (clang, which builds the fuzz harnesses, knows neither).
function(plimo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                                           -Wno-restrict -Wno-maybe-uninitialized -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE -Wno-unknown-warning-option)
  endif()
endfunction()

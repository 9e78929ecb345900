# Warnings are errors in our own code only; system headers stay out of it. At -O2 GCC 12 reports
# std::string copies as overlapping (-Wrestrict) and aggregates of strings as maybe uninitialised,
# wrongly in both cases, so those two are off.
function(plimo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                                           -Wno-restrict -Wno-maybe-uninitialized -Werror)
endfunction()

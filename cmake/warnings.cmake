# Warnings are errors in our own code only; system headers stay out of it.
function(plimo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
endfunction()

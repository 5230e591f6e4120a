# One warning set for every target of the project.
function(trova_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow)
  if(TROVA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The Windows build (cmake/mingw-w64-x86_64.cmake): the file layer, the profile store, the plan
# format and the planner with korax.exe, and the Qt-free tests, run under wine64.

# nlohmann/json is header-only and the same for every system; the host's copy is offered alone,
# without the rest of the host's /usr/include.
set(json_include ${CMAKE_BINARY_DIR}/nlohmann-json)
file(MAKE_DIRECTORY ${json_include})
file(CREATE_LINK /usr/include/nlohmann ${json_include}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${json_include})

add_subdirectory(files)
add_subdirectory(profile)
add_subdirectory(planformat)
add_subdirectory(planner)

enable_testing()
add_subdirectory(tests/support)
add_subdirectory(tests/portable)

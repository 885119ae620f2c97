# OpenCC's library from the npm registry's package (it carries the C++ source and
# marisa, but no CMake project: this recipe gives it one). Static; the dictionaries
# shipped are Debian's, so both builds convert alike.
tar -xzf "$WINDOWS_CACHE"/downloads/opencc-*.tgz -C "$WORK"
rm -rf "$SOURCE" && mv "$WORK/package" "$SOURCE"
cat > "$SOURCE/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(opencc CXX)
set(CMAKE_CXX_STANDARD 17)
file(GLOB marisa_sources deps/marisa-0.2.6/lib/marisa/*.cc deps/marisa-0.2.6/lib/marisa/grimoire/*/*.cc)
add_library(marisa STATIC ${marisa_sources})
target_include_directories(marisa PUBLIC deps/marisa-0.2.6/include PRIVATE deps/marisa-0.2.6/lib)
file(GLOB opencc_sources src/*.cpp)
list(FILTER opencc_sources EXCLUDE REGEX "(Test|py_opencc|PhraseExtract)\\.cpp$")
add_library(opencc STATIC ${opencc_sources})
target_compile_definitions(opencc PUBLIC Opencc_BUILT_AS_STATIC)
target_include_directories(opencc PRIVATE deps/rapidjson-1.1.0 deps/darts-clone-0.32)
target_link_libraries(opencc PRIVATE marisa)
file(GLOB opencc_headers src/*.hpp src/opencc.h src/opencc_config.h)
install(TARGETS opencc marisa ARCHIVE DESTINATION lib)
install(FILES ${opencc_headers} DESTINATION include/opencc)
file(WRITE ${CMAKE_BINARY_DIR}/opencc.pc "prefix=${CMAKE_INSTALL_PREFIX}\nLibs: -L\${prefix}/lib -lopencc -lmarisa\nCflags: -I\${prefix}/include -DOpencc_BUILT_AS_STATIC\nName: opencc\nDescription: OpenCC\nVersion: 1.1.8\n")
install(FILES ${CMAKE_BINARY_DIR}/opencc.pc DESTINATION lib/pkgconfig)
CMAKE
cmake -S "$SOURCE" -B "$WORK/build" -G Ninja "${CROSS_CMAKE[@]}" >/dev/null
cmake --build "$WORK/build" -j "$JOBS" >/dev/null
cmake --install "$WORK/build" >/dev/null

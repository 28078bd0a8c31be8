# Configures and builds the native and the Windows build under build/.
build_native() {
    cmake -S "$ZELKO_ROOT" -B "$ZELKO_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$ZELKO_ROOT/build/native" -j"$(nproc)"
}

build_windows() {
    cmake -S "$ZELKO_ROOT" -B "$ZELKO_ROOT/build/windows" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ZELKO_ROOT/cmake/toolchain-mingw64.cmake" >/dev/null
    cmake --build "$ZELKO_ROOT/build/windows" -j"$(nproc)"
}

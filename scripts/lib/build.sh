# Configures and builds the native and the Windows build under build/.
build_native() {
    cmake -S "$ZELKO_ROOT" -B "$ZELKO_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$ZELKO_ROOT/build/native" -j"$(nproc)"
}

# The Windows build under test talks to the reference web service on loopback (scripts/lib/bench.sh
# starts it on this port), never to the maker's servers.
# The same native unit tests, built with AddressSanitizer and UndefinedBehaviorSanitizer.
build_native_sanitized() {
    cmake -S "$ZELKO_ROOT" -B "$ZELKO_ROOT/build/native-sanitized" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZELKO_SANITIZE=ON >/dev/null
    cmake --build "$ZELKO_ROOT/build/native-sanitized" -j"$(nproc)"
}

# The fuzz targets (clang++ with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer); their
# short runs are the CTest tests Fuzz.<target>.
build_fuzz() {
    cmake -S "$ZELKO_ROOT" -B "$ZELKO_ROOT/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DZELKO_FUZZ=ON >/dev/null
    cmake --build "$ZELKO_ROOT/build/fuzz" -j"$(nproc)"
}

build_windows() {
    local port=${ZELKO_SERVICE_PORT:-47080}
    cmake -S "$ZELKO_ROOT" -B "$ZELKO_ROOT/build/windows" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ZELKO_ROOT/cmake/toolchain-mingw64.cmake" \
        -DZELKO_UPDATE_SERVER="http://127.0.0.1:$port" \
        -DZELKO_SERVICE_BASE="http://localhost:$port/autologin/" \
        -DZELKO_SERVICE_ORIGINS="http://localhost:$port;http://127.0.0.2:$port;http://127.0.0.3:$port;http://127.0.0.4:$port" \
        >/dev/null
    cmake --build "$ZELKO_ROOT/build/windows" -j"$(nproc)"
}

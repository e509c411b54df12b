#!/usr/bin/env bash
# Builds the libraries the Linux build takes from Debian, but which Debian ships only for Linux,
# for 64-bit Windows (glm is headers only, but they live under /usr/include, which the cross
# compiler does not search): from Debian's own source packages, of exactly the versions installed here,
# with the MinGW-w64 toolchain of cmake/Toolchain-MinGW-w64.cmake. All static (.a).
#
# The result goes to a prefix outside the clone, named after the versions, so a clone, a clean
# or a branch switch never throws it away:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/vorl/win64-<versions>
# Every library has a stamp there; a run with all stamps present only prints the prefix.
# The last line of the output is always the prefix (for cmake -DVORL_WIN64_PREFIX=...).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
toolchain="$here/../cmake/Toolchain-MinGW-w64.cmake"
triplet=x86_64-w64-mingw32
jobs="${VORL_JOBS:-2}"

fail() {
  echo "win64-deps: $*" >&2
  exit 1
}
say() { echo "win64-deps: $*" >&2; }

for tool in "$triplet-gcc-posix" "$triplet-g++-posix" "$triplet-ar" "$triplet-ranlib" \
  "$triplet-windres" cmake make pkg-config apt-get dpkg-source dpkg-query flock; do
  command -v "$tool" >/dev/null 2>&1 || fail "missing tool $tool (run scripts/setup.sh)"
done
[ -f "$toolchain" ] || fail "missing toolchain file $toolchain"

# "source-package version" of the source a -dev package was built from. A binary rebuild
# (1.86+ds-1+b1) has no source of its own: ${source:Version} names the one it came from.
source_of() {
  local out
  out="$(dpkg-query -W -f='${source:Package} ${source:Version}' "$1" 2>/dev/null)" ||
    fail "$1 is not installed (run scripts/setup.sh); its version chooses the source to build"
  [ -n "$out" ] || fail "$1 is not installed (run scripts/setup.sh)"
  echo "$out"
}
# 2.26.5+dfsg-1 -> 2.26.5, 0.0~git20220908.8b5f1f3+ds-1 -> 20220908
upstream_of() {
  local v="${1#*:}"
  v="${v%-*}"
  v="${v%%+*}"
  case "$v" in *~git*) v="${v#*~git}" && v="${v%%.*}" ;; esac
  echo "$v"
}

read -r sdl2_src sdl2_ver <<<"$(source_of libsdl2-dev)"
read -r lua_src lua_ver <<<"$(source_of liblua5.4-dev)"
read -r imgui_src imgui_ver <<<"$(source_of libimgui-dev)"
read -r ft_src ft_ver <<<"$(source_of libfreetype-dev)"
read -r stb_src stb_ver <<<"$(source_of libstb-dev)"
read -r gtest_src gtest_ver <<<"$(source_of libgtest-dev)"
read -r glm_src glm_ver <<<"$(source_of libglm-dev)"

key="sdl2-$(upstream_of "$sdl2_ver")_lua-$(upstream_of "$lua_ver")_imgui-$(upstream_of "$imgui_ver")"
key+="_ft-$(upstream_of "$ft_ver")_stb-$(upstream_of "$stb_ver")"
key+="_gtest-$(upstream_of "$gtest_ver")_glm-$(upstream_of "$glm_ver")"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/vorl"
prefix="$cache/win64-$key"
scratch="$cache/win64-$key.build"

export CC="$triplet-gcc-posix" CXX="$triplet-g++-posix" AR="$triplet-ar" RANLIB="$triplet-ranlib"
# Only the prefix's own .pc files, never the Linux ones.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH=""
cflags=(-O2 -g0)

# The stamp records the exact Debian source version: a security update of one library rebuilds
# that library only.
stamp_of() { echo "$prefix/stamps/$1"; }
is_built() { [ "$(cat "$(stamp_of "$1")" 2>/dev/null)" = "$1 $2" ]; }

# Unpacks Debian's source package (patches applied) into a fresh scratch folder; prints its path.
fetch_source() {
  local src="$1" ver="$2" dir="$scratch/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  say "$src: fetching Debian source $ver"
  if ! (cd "$dir" && apt-get source -qq "$src=$ver" >"$dir/apt-get-source.log" 2>&1); then
    tail -n 5 "$dir/apt-get-source.log" >&2
    fail "$src: apt-get source $src=$ver failed (deb-src entries enabled? scripts/setup.sh does that)"
  fi
  local tree
  tree="$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
  [ -n "$tree" ] || fail "$src: apt-get source unpacked nothing in $dir"
  echo "$tree"
}

# Runs a build step with its output in a log; on failure shows the log's tail and stops.
run_logged() {
  local name="$1" log="$scratch/$1.log"
  shift
  if ! "$@" >>"$log" 2>&1; then
    tail -n 25 "$log" >&2
    fail "$name: build failed (full log: $log)"
  fi
}

cmake_build() {
  local name="$1" srcdir="$2"
  shift 2
  run_logged "$name" cmake -S "$srcdir" -B "$srcdir/build-win64" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVORL_WIN64_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF "$@"
  run_logged "$name" cmake --build "$srcdir/build-win64" -j "$jobs"
  run_logged "$name" cmake --install "$srcdir/build-win64"
}

build_sdl2() {
  local tree
  tree="$(fetch_source "$sdl2_src" "$sdl2_ver")"
  # Its CMake build installs SDL2Config.cmake (SDL2::SDL2-static, SDL2::SDL2main) and sdl2.pc.
  cmake_build sdl2 "$tree" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF \
    -DSDL2_DISABLE_INSTALL_DOCS=ON
}

build_lua() {
  local tree obj=()
  tree="$(fetch_source "$lua_src" "$lua_ver")"
  # Debian's Makefile drives libtool for Linux; the library is just the core and the standard
  # libraries, built with the flags Debian's build uses.
  cd "$tree/src"
  for c in *.c; do
    case "$c" in lua.c | luac.c) continue ;; esac
    run_logged lua "$CC" -std=gnu99 "${cflags[@]}" -Wall -DLUA_COMPAT_5_3 -c "$c" -o "${c%.c}.o"
    obj+=("${c%.c}.o")
  done
  run_logged lua "$AR" rcs liblua5.4.a "${obj[@]}"
  # Same include folder and library name as Debian's, so the same #include and pkg-config work.
  install -d "$prefix/include/lua5.4" "$prefix/lib/pkgconfig"
  install -m 0644 lua.h luaconf.h lualib.h lauxlib.h lua.hpp "$prefix/include/lua5.4/"
  install -m 0644 liblua5.4.a "$prefix/lib/"
  cat >"$prefix/lib/pkgconfig/lua5.4.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: Lua
Description: Lua language engine (Windows build of Debian's lua5.4 $lua_ver)
Version: $(upstream_of "$lua_ver")
Libs: -L\${libdir} -llua5.4
Cflags: -I\${includedir}/lua5.4
EOF
  cd - >/dev/null
}

build_freetype() {
  local tree
  tree="$(fetch_source "$ft_src" "$ft_ver")"
  # No optional codecs or shapers: the library then needs nothing else.
  cmake_build freetype "$tree" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  [ -f "$prefix/lib/pkgconfig/freetype2.pc" ] || fail "freetype: its build installed no freetype2.pc"
}

build_stb() {
  local tree
  tree="$(fetch_source "$stb_src" "$stb_ver")"
  # Debian's own Makefile (patched in the source package): one object per header, with the
  # implementation switched on; only the static library and the headers.
  run_logged stb make -C "$tree" -j "$jobs" CC="$CC" AR="$AR" CFLAGS="${cflags[*]}" \
    PREFIX="$prefix" LIBDIR=lib libstb.a stb.pc
  run_logged stb make -C "$tree" CC="$CC" AR="$AR" PREFIX="$prefix" LIBDIR=lib \
    install-static install-header
}

build_imgui() {
  local tree
  tree="$(fetch_source "$imgui_src" "$imgui_ver")"
  # Debian's own Makefile: the core, imgui_stdlib and imgui_freetype, stb's rect packer and
  # TrueType from libstb, all headers. Of its back ends only those that exist for Windows
  # (OpenGL 2/3, SDL); Allegro, GLFW, GLUT and Vulkan are not built here.
  local srcs="imgui.cpp imgui_demo.cpp imgui_draw.cpp imgui_tables.cpp imgui_widgets.cpp"
  srcs+=" misc/cpp/imgui_stdlib.cpp misc/freetype/imgui_freetype.cpp"
  srcs+=" backends/imgui_impl_opengl2.cpp backends/imgui_impl_opengl3.cpp"
  srcs+=" backends/imgui_impl_sdl.cpp"
    # <stb/stb_truetype.h> is found under the prefix's include folder, as under /usr/include.
  run_logged imgui make -C "$tree" -j "$jobs" CXX="$CXX" AR="$AR" CXXFLAGS="${cflags[*]} -I$prefix/include" \
    PKG_CONFIG=pkg-config PREFIX="$prefix" LIBDIR=lib VERSION="$(upstream_of "$imgui_ver")" \
    SRCS="$srcs" libimgui.a imgui.pc
  run_logged imgui make -C "$tree" CXX="$CXX" AR="$AR" PREFIX="$prefix" LIBDIR=lib SRCS="$srcs" install
}

build_googletest() {
  local tree
  tree="$(fetch_source "$gtest_src" "$gtest_ver")"
  cmake_build googletest "$tree" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

build_glm() {
  local tree
  tree="$(fetch_source "$glm_src" "$glm_ver")"
  # Headers only, the same tree Debian installs in /usr/include/glm.
  (cd "$tree" && find glm -type f \( -name '*.hpp' -o -name '*.inl' -o -name '*.h' \) \
    -exec install -D -m 0644 {} "$prefix/include/{}" \;)
  install -d "$prefix/lib/pkgconfig"
  cat >"$prefix/lib/pkgconfig/glm.pc" <<EOF
prefix=$prefix
includedir=\${prefix}/include

Name: GLM
Description: OpenGL Mathematics (Debian's glm $glm_ver)
Version: $(upstream_of "$glm_ver")
Cflags: -I\${includedir}
EOF
}

# Order matters: imgui needs FreeType, SDL2 and stb already in the prefix.
libs=(sdl2 lua freetype stb imgui googletest glm)
declare -A versions=(
  [sdl2]="$sdl2_src $sdl2_ver" [lua]="$lua_src $lua_ver" [freetype]="$ft_src $ft_ver"
  [stb]="$stb_src $stb_ver" [imgui]="$imgui_src $imgui_ver" [googletest]="$gtest_src $gtest_ver"
  [glm]="$glm_src $glm_ver"
)

mkdir -p "$prefix/stamps"
# Two builds started at once (a test run and a developer) would write the same files: the
# second waits for the first and then finds its stamps.
exec 9>"$prefix.lock"
flock 9 || fail "cannot lock $prefix.lock"
for lib in "${libs[@]}"; do
  read -r src ver <<<"${versions[$lib]}"
  if is_built "$src" "$ver"; then
    say "$lib $ver: cached"
    continue
  fi
  say "$lib $ver: building"
  mkdir -p "$scratch"
  rm -f "$scratch/$lib.log"
  "build_$lib"
  echo "$src $ver" >"$(stamp_of "$src")"
  # The sources are not needed once installed; the stamp says what is in the prefix.
  rm -rf "${scratch:?}/$src" "$scratch/$lib.log"
  say "$lib $ver: done"
done
rmdir "$scratch" 2>/dev/null || true

echo "$prefix"

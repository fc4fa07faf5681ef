#!/usr/bin/env bash
# scripts/install-deps.sh against a package mirror caught mid-sync, with stand-in apt-get, dpkg and
# dpkg-query on PATH: no real package is touched. Each case starts from a machine that has nothing.
set -uo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
work=$(mktemp -d)
# KEEP_STANDIN_OUTPUT=1 keeps each case's output (case*/out) to read what a user would see.
trap '[ -n "${KEEP_STANDIN_OUTPUT:-}" ] || rm -rf "$work"' EXIT
source tests/scripts/check.sh

# The stand-ins keep their state in $STANDIN: installed (one package a line), refused ("package|reason"),
# update-fails (present: every update fails as a half-synced mirror does), calls (every apt-get call).
mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STANDIN/calls"
case "$1" in
update)
    if [ -e "$STANDIN/update-fails" ]; then
        echo "Err:6 http://mirror.invalid/debian-security bookworm-security/main i386 Packages"
        echo "  File has unexpected size (374820 != 376004). Mirror sync in progress?"
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
        exit 100
    fi
    exit 0 ;;
install)
    shift
    pkgs=()
    for a in "$@"; do [[ $a == -* ]] || pkgs+=("$a"); done
    for p in "${pkgs[@]}"; do
        reason=$(grep -m1 "^$p|" "$STANDIN/refused" 2>/dev/null | cut -d'|' -f2)
        if [ -n "$reason" ]; then
            echo "The following packages have unmet dependencies:"
            echo " $p : Depends: $reason but it is not installable"
            echo "E: Unable to correct problems, you have held broken packages."
            exit 100
        fi
    done
    printf '%s\n' "${pkgs[@]}" >>"$STANDIN/installed"
    exit 0 ;;
esac
exit 1
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
p=${!#}
grep -qx -- "$p" "$STANDIN/installed" 2>/dev/null || exit 1
echo -n "install ok installed"
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
[ "$1" = --print-foreign-architectures ] && { cat "$STANDIN/arch" 2>/dev/null; exit 0; }
[ "$1" = --add-architecture ] && { echo "$2" >>"$STANDIN/arch"; exit 0; }
exit 1
EOF
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

case_no=0
new_machine() { # a fresh state folder; sets STANDIN
    case_no=$((case_no + 1))
    export STANDIN="$work/case$case_no"
    mkdir -p "$STANDIN/cache"
    touch "$STANDIN/installed" "$STANDIN/refused" "$STANDIN/calls"
}
install_deps() { # runs the script, output in $STANDIN/out, exit code in $rc
    PATH="$work/bin:$PATH" XDG_CACHE_HOME="$STANDIN/cache" MARIVEL_APT_RETRY_SECONDS=0 \
        bash "$ROOT/scripts/install-deps.sh" >"$STANDIN/out" 2>&1
    rc=$?
}
installed() { grep -qx -- "$1" "$STANDIN/installed"; }
said() { grep -q -- "$1" "$STANDIN/out"; }
update_calls() { grep -c '^apt-get update' "$STANDIN/calls"; }

# The index fails to download, twice; the packages apt already knows still install.
new_machine
touch "$STANDIN/update-fails"
install_deps
check "failed update: exit 0" [ "$rc" = 0 ]
check "failed update: retried once" [ "$(update_calls)" = 2 ]
check "failed update: a warning with apt's own line" bash -c 'grep -q "warning: apt-get update failed" "$0" &&
    grep -q "Mirror sync in progress" "$0"' "$STANDIN/out"
check "failed update: everything installed" bash -c 'installed() { grep -qx -- "$1" "$STANDIN/installed"; }
    installed xvfb && installed wine64 && installed wine32:i386'

# wine32's i386 dependencies live only in the index that failed: the 64-bit set goes in, and the 32-bit
# reason reaches the loader choice.
new_machine
touch "$STANDIN/update-fails"
echo "wine32:i386|libwine:i386 (= 8.0~repack-4)" >"$STANDIN/refused"
echo "valgrind|libc6-dbg (>= 2.36)" >>"$STANDIN/refused"
install_deps
check "no 32-bit Wine: exit 0" [ "$rc" = 0 ]
check "no 32-bit Wine: the 64-bit set is installed" bash -c 'for p in g++-mingw-w64-i686 wine wine64 xvfb imagemagick; do
    grep -qx -- "$p" "$STANDIN/installed" || exit 1; done'
check "no 32-bit Wine: the user is told why" said "warning: 32-bit Wine (wine32:i386) could not be installed (apt: wine32:i386 : Depends: libwine:i386"
check "no 32-bit Wine: a missing optional package is only a warning" said "warning: valgrind could not be installed and is skipped"
reason=$(env -u MARIVEL_RUNS_32BIT -u WINELOADER -u MARIVEL_FORCE_NO_32BIT XDG_CACHE_HOME="$STANDIN/cache" \
    MARIVEL_I386_LOADER=/bin/true MARIVEL_WINE32_LOADER="$work/no-such-loader" \
    sh -c '. scripts/wine-loader.sh; echo "$MARIVEL_RUNS_32BIT|$MARIVEL_WINE|$MARIVEL_NO_32BIT_REASON"')
check "no 32-bit Wine: a machine that runs 32-bit programs takes the 64-bit loader" \
    [ "${reason%%|*}" = "0" ]
check "no 32-bit Wine: the i686 line names apt's reason" \
    grep -q '|/usr/lib/wine/wine64|32-bit Wine is not installed (apt: wine32:i386 : Depends: libwine:i386' <<<"$reason"
: >"$STANDIN/calls"
install_deps
check "no 32-bit Wine: the next run within the hour does not ask for it again" \
    bash -c '[ "$0" = 0 ] && ! grep -q wine32 "$STANDIN/calls" && grep -q "apt refused it within the hour" "$STANDIN/out"' "$rc"

# A package the tests cannot do without stays out: one clear error naming it, non-zero exit.
new_machine
echo "xvfb|libxfont2 (>= 1:2.0.6)" >"$STANDIN/refused"
install_deps
check "required package refused: non-zero exit" [ "$rc" != 0 ]
check "required package refused: the error names it with apt's reason" \
    said "error: could not install xvfb (apt: xvfb : Depends: libxfont2"
check "required package refused: the rest is installed" bash -c 'grep -qx cmake "$STANDIN/installed" &&
    grep -qx wine64 "$STANDIN/installed"'

# Everything present: apt is not called at all.
new_machine
for p in cmake make g++ clang clang-format-14 libclang-rt-14-dev googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine \
    wine64 fonts-wine fonts-liberation fonts-wqy-microhei xvfb xdotool x11-utils imagemagick valgrind git python3 wine32:i386; do
    echo "$p" >>"$STANDIN/installed"
done
install_deps
check "nothing missing: exit 0 without calling apt" bash -c '[ "$0" = 0 ] && [ ! -s "$STANDIN/calls" ]' "$rc"

exit $status

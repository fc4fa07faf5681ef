#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only when something is missing.
#
# A package mirror can be caught mid-sync: one index fails to download while every other is fine, and
# i386 packages whose dependencies live only in that index cannot be installed. So a failed update is a
# warning, and what can be installed is installed:
#   - required packages (compilers, Wine, Xvfb, ...) that stay out end the script with apt's reason;
#   - 32-bit Wine that stays out leaves the machine one that does not run i686 Windows programs; the reason
#     is kept in $MARIVEL_STATE_DIR/wine32-unavailable, where scripts/wine-loader.sh reads it;
#   - optional packages that stay out are reported and skipped.
set -uo pipefail

required=(
    cmake make g++ clang clang-format-14 libclang-rt-14-dev googletest
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 fonts-wine fonts-liberation fonts-wqy-microhei
    xvfb xdotool x11-utils
)
# Screenshots as PNG; instruction counts (scripts/lzh-instructions.sh); the release command (scripts/release.sh).
optional=(imagemagick valgrind git python3)
wine32=(wine32:i386)

state_dir="${MARIVEL_STATE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/marivel}"
wine32_state="$state_dir/wine32-unavailable"
retry_pause="${MARIVEL_APT_RETRY_SECONDS:-15}"

is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing_of() { # package... -> the missing ones, one per line
    local p
    for p in "$@"; do is_installed "$p" || echo "$p"; done
}

mapfile -t missing_required < <(missing_of "${required[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
mapfile -t missing_wine32 < <(missing_of "${wine32[@]}")
[ ${#missing_wine32[@]} -eq 0 ] && rm -f "$wine32_state"
# 32-bit Wine refused within the last hour is not asked for again on every run.
if [ ${#missing_wine32[@]} -gt 0 ] && [ -n "$(find "$wine32_state" -mmin -60 2>/dev/null)" ]; then
    echo "32-bit Wine is not installed (apt refused it within the hour: $(cat "$wine32_state"))"
    missing_wine32=()
fi
missing=("${missing_required[@]}" "${missing_optional[@]}" "${missing_wine32[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# apt's own error lines, indented, for a warning.
apt_lines() { grep -E '^(Err|E:|W:)|Mirror sync' "$log" | sed 's/^/    /'; }

# One line saying why apt refused: the unmet dependency nearest to the packages asked for (their own line,
# else an i386 one when they are i386, else the first) and the first error.
apt_reason() { # package asked for...
    local reason depends p
    depends=$(grep -E ' : (Pre)?Depends: ' "$log")
    for p in "$@"; do
        reason=$(grep -m1 -F " $p : " <<<"$depends")
        [ -n "$reason" ] && break
    done
    [ -z "$reason" ] && [[ "$*" == *:i386* ]] && reason=$(grep -m1 -F ':i386 : ' <<<"$depends")
    [ -z "$reason" ] && reason=$(head -n 1 <<<"$depends")
    reason=$({
        [ -n "$reason" ] && echo "$reason"
        grep -m1 -E '^E: ' "$log"
    } | sed -E 's/^[[:space:]]+//; s/[[:space:]]+/ /g' | paste -sd';' - | sed 's/;/; /g')
    [ -n "$reason" ] || reason="apt-get exited with an error"
    echo "${reason:0:300}"
}

apt_update() {
    $SUDO apt-get update -q >"$log" 2>&1
}

apt_install() { # package...
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "$@" >"$log" 2>&1
}

echo "installing: ${missing[*]}"
if [ ${#missing_wine32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
if ! apt_update; then
    echo "warning: apt-get update failed; trying again in $retry_pause s:"
    apt_lines
    sleep "$retry_pause"
    if ! apt_update; then
        echo "warning: apt-get update failed again; installing from the package lists apt has:"
        apt_lines
    fi
fi

if apt_install "${missing[@]}"; then
    [ ${#missing_wine32[@]} -eq 0 ] || rm -f "$wine32_state"
    exit 0
fi

# The whole set was refused: the 64-bit packages first, then each one alone to name the one at fault.
failed_required=()
set64=("${missing_required[@]}" "${missing_optional[@]}")
if [ ${#set64[@]} -gt 0 ] && ! apt_install "${set64[@]}"; then
    for p in "${set64[@]}"; do
        is_installed "$p" && continue
        apt_install "$p" && continue
        if printf '%s\n' "${missing_optional[@]}" | grep -qx "$p"; then
            echo "warning: $p could not be installed and is skipped (apt: $(apt_reason "$p"))"
        else
            failed_required+=("$p (apt: $(apt_reason "$p"))")
        fi
    done
fi
if [ ${#failed_required[@]} -gt 0 ]; then
    for f in "${failed_required[@]}"; do
        echo "error: could not install $f" >&2
    done
    echo "error: building and testing need these packages; nothing was run" >&2
    exit 1
fi

if [ ${#missing_wine32[@]} -gt 0 ]; then
    if apt_install "${missing_wine32[@]}"; then
        rm -f "$wine32_state"
    else
        reason=$(apt_reason "${missing_wine32[@]}")
        mkdir -p "$state_dir"
        echo "$reason" >"$wine32_state"
        echo "warning: 32-bit Wine (${missing_wine32[*]}) could not be installed (apt: $reason)"
        echo "         the i686 Windows build is still built; its tests and the i686 program are not run here"
    fi
fi
exit 0

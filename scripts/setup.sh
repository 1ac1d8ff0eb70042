#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, test, package and run, when
# any is missing, and finds this machine's Debian mirror; and what every script prints of
# its steps and its failure. Sourced by test.sh, run.sh and the other scripts.

started=$SECONDS
phase_started=$SECONDS
# A step of a script begins: its name, and the time since the script and the last step
# began.
phase() {
  echo "== $1 (after $((SECONDS - started)) s; last step $((SECONDS - phase_started)) s)"
  phase_started=$SECONDS
}
fail() {
  echo "$(basename "$0" .sh): $*" >&2
  exit 1
}

BUSENJE_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-l10n-tools libqcustomplot-dev
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2
  desktop-file-utils
  dpkg-dev file
)
# Installed where the system's package sources have them. fonts-wine brings the Tahoma
# clone of the program's look; without it the labels are set in DejaVu Sans.
BUSENJE_OPTIONAL_PACKAGES=(fonts-wine)
# What scripts/windows-build.sh adds: the MinGW-w64 cross compilers (POSIX threads), NSIS
# for the installer, zip for the runnable folder, and Wine, which the build names as the
# runner of its test programs when it is configured.
# shellcheck disable=SC2034 # used by the scripts that source this one
BUSENJE_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis zip wine64)

# Where the cross builds keep what they build once, outside the clone.
busenje_windows_cache() { echo "${BUSENJE_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/busenje-windows}"; }
busenje_web_cache() { echo "${BUSENJE_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/busenje-web}"; }

busenje_installed() {
  dpkg-query -W -f='${Status}' "$1" 2> /dev/null | grep -q "install ok installed"
}

busenje_known_to_apt() {
  apt-cache show --no-all-versions "$1" > /dev/null 2>&1
}

# Installs the program's packages that are missing, and the packages named, where a script
# needs more.
# shellcheck disable=SC2120 # the packages named are optional
busenje_install_packages() {
  local missing=() optional=()
  local pkg
  for pkg in "${BUSENJE_PACKAGES[@]}" "$@"; do
    if ! busenje_installed "$pkg"; then
      missing+=("$pkg")
    fi
  done
  # An optional package the package lists do not know is not asked for again on every
  # run; the lists are brought up to date only when something else is missing.
  for pkg in "${BUSENJE_OPTIONAL_PACKAGES[@]}"; do
    if ! busenje_installed "$pkg" && busenje_known_to_apt "$pkg"; then
      optional+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ] && [ ${#optional[@]} -eq 0 ]; then
    return 0
  fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  echo "Missing packages: ${missing[*]} ${optional[*]}; reading the package lists first"
  $sudo apt-get update -qq
  optional=()
  for pkg in "${BUSENJE_OPTIONAL_PACKAGES[@]}"; do
    if busenje_installed "$pkg"; then
      continue
    elif busenje_known_to_apt "$pkg"; then
      optional+=("$pkg")
    else
      echo "$pkg is not in this system's package sources; going on without it."
    fi
  done
  if [ ${#missing[@]} -eq 0 ] && [ ${#optional[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]} ${optional[*]}"
  # sudo does not pass the caller's environment on, so the variable goes through env.
  $sudo env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" "${optional[@]}"
}

# Configures build/. A user's build takes a newer compiler's or Qt's new warnings as
# warnings; the team's builds set BUSENJE_WERROR=ON and stop at the first one.
busenje_configure() {
  cmake --preset default -DBUSENJE_WERROR="${BUSENJE_WERROR:-OFF}"
}

# The URI of the Debian mirror this machine's apt sources use for its own release.
busenje_debian_mirror() {
  local own mirror
  own="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  mirror="$(
    {
      cat /etc/apt/sources.list 2> /dev/null || true
      for f in /etc/apt/sources.list.d/*.list; do if [ -f "$f" ]; then cat "$f"; fi; done
    } | awk -v s="$own" '$1 == "deb" { for (i = 2; i < NF; i++) if ($i !~ /^\[/ && $(i+1) == s) { print $i; exit } }'
  )"
  if [ -z "$mirror" ]; then
    mirror="$(for f in /etc/apt/sources.list.d/*.sources; do if [ -f "$f" ]; then cat "$f"; echo; fi; done |
      awk -v s="$own" '
        /^[ \t]*$/ { if (deb && suite && uri != "") { print uri; exit } deb = suite = 0; uri = ""; next }
        /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
        /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == s) suite = 1 }
        /^URIs:/ { uri = $2 }')"
  fi
  if [ -z "$mirror" ]; then
    echo "no $own mirror in this machine's apt sources" >&2
    return 1
  fi
  echo "$mirror"
}

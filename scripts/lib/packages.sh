# Installs the Debian packages a script needs: nothing to do, and no network, when all are there.
# Usage: ensure_packages NAME...
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and running the program needs; Qt's SQLite and PostgreSQL drivers hold the
# quality-control records.
RUN_PACKAGES=(ca-certificates g++ cmake ninja-build qt6-base-dev qt6-svg-dev libgl-dev
              libboost-math-dev qt6-translations-l10n fonts-arphic-uming fonts-noto-cjk
              qt6-tools-dev qt6-l10n-tools libqt6sql6-sqlite libqt6sql6-psql)

# What the tests add: GoogleTest, a display of their own, screenshots, the fuzzers, benchmarks,
# pdftotext for the exported report, the manual page rendered, a PostgreSQL server of the tests'
# own for the quality-control database, /usr/bin/time for the scaling benchmark.
TEST_PACKAGES=(libgtest-dev xvfb xauth xdotool imagemagick dbus clang libclang-rt-14-dev
               libbenchmark-dev desktop-file-utils appstream dpkg-dev libx11-dev
               python3 python3-pyatspi at-spi2-core fontconfig fonts-dejavu-core poppler-utils
               man-db shared-mime-info postgresql time)

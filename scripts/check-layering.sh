#!/usr/bin/env bash
# Checks every include against the dependency table below: for each folder, the project folders
# and the system headers it may include. Arrows point down only, Qt stays on the platform's UI
# side (platform/ui, res/), and POSIX I/O (sockets, poll, pipes, termios, udev) stays in
# platform/io. Fails naming the file, the include and the rule it breaks.
set -euo pipefail
cd "$(dirname "$0")/.."

# System header groups: extended regular expressions over the name between < and >.
declare -A GROUP=(
    [std]='[a-z_0-9]+'                                                      # the C++ library
    [files]='fcntl\.h|unistd\.h|strings\.h|iconv\.h|sys/file\.h|sys/stat\.h' # files, locks, iconv
    [strings]='strings\.h'                                                  # strcasecmp
    [xcb]='xcb/xcb\.h'                                                      # the X server's stacking
    [posix]='[A-Za-z_0-9/]+\.h'                       # POSIX and device libraries (hidapi, udev)
    [qt]='Q[A-Za-z0-9]*|Qt[A-Za-z]*/Q[A-Za-z0-9]*'
    [gtest]='gtest/[a-z_/-]+\.h|gmock/[a-z_/-]+\.h'
    [benchmark]='benchmark/benchmark\.h'
    [cjson]='cjson/cJSON\.h'
    [xlsxwriter]='xlsxwriter\.h'
)

# folder | project folders it may include besides its own (* = any) | system header groups
TABLE='
platform/core       |                                                          | std files
platform/io         | platform/core                                            | std posix
res                 | platform/core                                            | std qt
platform/ui         | platform/core res                                        | std qt strings xcb
wire                | platform/core                                            | std
model               | wire platform/core platform/io                           | std
link                | model wire platform/core platform/io                     | std
controls            | link model wire platform/core platform/io platform/ui res | std
pages/output        | controls link model wire platform/core platform/io platform/ui res | std
pages/input         | pages/output grid controls link model wire platform/core platform/io platform/ui res | std
pages/level         | pages/output controls link model wire platform/core platform/io platform/ui res | std
presets             | grid controls link model wire platform/core platform/io platform/ui res | std cjson
grid                | controls link model wire platform/core platform/io platform/ui res | std xlsxwriter
shell               | pages/output pages/input pages/level presets grid controls link model wire platform/core platform/io platform/ui res | std
src                 | shell pages/output pages/input pages/level presets grid controls link model wire platform/core platform/io platform/ui res | std qt
devsim              | model wire platform/core platform/io                     | std posix
tests/support       | link model wire platform/core platform/io platform/ui res | std qt gtest
tests/platform/core | *                                                        | std posix gtest
tests/platform/io   | *                                                        | std posix gtest
tests/wire          | *                                                        | std posix gtest
tests/model         | *                                                        | std posix gtest
tests/link          | *                                                        | std posix gtest
tests               | *                                                        | std posix gtest qt
bench               | *                                                        | std posix benchmark
bench/bare          |                                                          | std qt
fuzz                | presets link model wire platform/core platform/io        | std
'

declare -A DEPS SYS
FOLDERS=()
while IFS='|' read -r folder deps sys; do
    folder=$(echo "$folder" | xargs)
    [ -z "$folder" ] && continue
    FOLDERS+=("$folder")
    DEPS[$folder]=$(echo "$deps" | xargs)
    SYS[$folder]=$(echo "$sys" | xargs)
done <<<"$TABLE"

# The table's folder that holds path (the longest prefix), or nothing.
folder_of() {
    local path=$1 best='' f
    for f in "${FOLDERS[@]}"; do
        if [[ $path == "$f"/* && ${#f} -gt ${#best} ]]; then
            best=$f
        fi
    done
    REPLY=$best
}

declare -A FOLDER_CACHE
cached_folder_of() {
    if [ -z "${FOLDER_CACHE[$1]+set}" ]; then
        folder_of "$1"
        FOLDER_CACHE[$1]=$REPLY
    fi
    REPLY=${FOLDER_CACHE[$1]}
}

hint() {
    local name=$1
    if [[ $name =~ ^(${GROUP[qt]})$ ]]; then
        echo "Qt headers belong to platform/ui, res/, src/ and the UI tests"
    elif [[ $name =~ ^(${GROUP[posix]})$ ]]; then
        echo "POSIX calls (sockets, poll, pipes, termios, udev) belong to platform/io"
    else
        echo "add the library to the folder's row only if the layer picture allows it"
    fi
}

INCLUDE_RE='^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^">]+)[">]'
errors=0
report() {
    echo "layering: $1"
    errors=$((errors + 1))
}

mapfile -t FILES < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.c' | sort -u)
while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    lineno=${rest%%:*}
    line=${rest#*:}
    [[ $line =~ $INCLUDE_RE ]] || continue
    kind=${BASH_REMATCH[1]}
    name=${BASH_REMATCH[2]}
    cached_folder_of "$file"
    own=$REPLY
    [ -z "$own" ] && continue
    if [ "$kind" = '<' ]; then
        ok=0
        for g in ${SYS[$own]}; do
            if [[ $name =~ ^(${GROUP[$g]})$ ]]; then
                ok=1
                break
            fi
        done
        if [ $ok = 0 ]; then
            report "$file:$lineno: #include <$name>: $own/ may include system headers of: ${SYS[$own]} ($(hint "$name"))"
        fi
        continue
    fi
    # A project header: next to the file, from the top, or from tests/ (the test include path).
    if [[ $name != */* ]] || [ -f "${file%/*}/$name" ]; then
        continue
    elif [ -f "$name" ]; then
        target=$name
    elif [ -f "tests/$name" ]; then
        target=tests/$name
    else
        target=$name
    fi
    cached_folder_of "$target"
    to=$REPLY
    [ "$to" = "$own" ] && continue
    allowed=" ${DEPS[$own]} "
    if [[ -n $to && ($allowed == *" * "* || $allowed == *" $to "*) ]]; then
        continue
    fi
    report "$file:$lineno: #include \"$name\": $own/ may not include ${to:-an unknown folder}/ (it may include: ${DEPS[$own]:-nothing but itself})"
done < <([ ${#FILES[@]} -eq 0 ] || grep -nE '^[[:space:]]*#[[:space:]]*include' "${FILES[@]}" || true)

if [ $errors -gt 0 ]; then
    echo "Layering broken: $errors include(s) outside the table in scripts/check-layering.sh"
    exit 1
fi

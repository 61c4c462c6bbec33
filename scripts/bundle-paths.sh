#!/usr/bin/env bash
# The paths by which a Mac bundle's Mach-O files find their libraries: load
# paths (LC_LOAD_DYLIB and kin) and run paths (LC_RPATH). Only paths inside
# the bundle (@executable_path, @loader_path, @rpath), /System and /usr/lib
# are found on a user's Mac. A path into Homebrew works on the build machine
# and would hide a framework the bundle lacks.
#   bundle-paths.sh --strip <bundle>: removes every run path outside (the build
#       tree's links to Homebrew's Qt); run after macdeployqt, before signing.
#   bundle-paths.sh --check <bundle>: names every path outside; fails if any.
set -euo pipefail
mode=$1 bundle=$2

inside() {
    case $1 in
        @executable_path*|@loader_path*|@rpath/*|/System/*|/usr/lib/*) return 0 ;;
        *) return 1 ;;
    esac
}

# "<kind> <path>" for each load path and run path of a Mach-O file.
paths_of() {
    otool -l "$1" | awk '
        $1 == "cmd" { command = $2 }
        ($1 == "name" && command ~ /^LC_(LOAD|LOAD_WEAK|REEXPORT|LAZY_LOAD|LOAD_UPWARD)_DYLIB$/) || ($1 == "path" && command == "LC_RPATH") {
            path = $0
            sub(/^ *(name|path) /, "", path)
            sub(/ \(offset [0-9]+\)$/, "", path)
            print (command == "LC_RPATH" ? "rpath" : "load"), path
        }'
}

outside=0
while IFS= read -r -d '' file; do
    file -b "$file" | grep -q 'Mach-O' || continue
    while read -r kind path; do
        inside "$path" && continue
        case $mode:$kind in
            --strip:rpath) install_name_tool -delete_rpath "$path" "$file" ;;
            --strip:load) ;;  # nothing to strip: --check names it
            *)
                echo "${file#"$bundle"/}: $kind $path liegt außerhalb des Programmpakets" >&2
                outside=1 ;;
        esac
    done < <(paths_of "$file")
done < <(find "$bundle" -type f -print0)

if [ "$mode" = --check ] && [ "$outside" -eq 0 ]; then
    echo "Alle Lade- und Suchpfade bleiben im Programmpaket, in /System oder /usr/lib."
fi
exit "$outside"

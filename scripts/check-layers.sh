#!/usr/bin/env bash
# check-layers.sh -- fails when an include in src/ or lobbyclient/ points up a floor or crosses a seam.
#
# Usage: scripts/check-layers.sh [ROOT]   (ROOT: the tree to check; the repository by default)
#
# The floors, bottom to top (see the folder plan in README.md):
#   1 platform/   SDL, GL, FreeType, fontconfig, iconv, curl, nettle, sockets: only here, only in .cpp files
#   2 format/     byte layouts, std only
#   3 sys/base/
#   4 sys rooms   gfx data model resource render batch text input net sound, and the wall clock sys/tmTimer;
#                 sideways only along the arrows below
#   5 table/      compiled-in and generated content tables (content_tables.h)
#   6 app services  app/tmConfig (+ app/tmSaveImageLayout), app/tmSequence (+ app/tmSequenceFactory): may include lobbyclient/include
#   7 race data   race/tmRaceState, race/tmLapTimer
#   8 simulation  utility course machine effect camera frontend, and app/tmCameraCtrl (camera room)
#   9 screens     race menu test lobby; lobby may include lobbyclient/include
#  10 app top     the rest of app/: everything
# lobbyclient/include/ is the library's whole public surface (it includes only itself); the rest of
# lobbyclient/ includes itself and platform/{net,http,crypto}, never a game header.
# Floors 7-9 include the renderer only through its drawing seam (sys/render/tmDraw.h and the two headers
# it includes), never sys/gfx nor platform/; only app top reaches the renderer itself.
# The engine (floor 4) never includes the generated tables: the program start hands them down
# (sys/data/tmEngineTables.h).
# The simulation and the race data never read the clock (sys/tmTimer, <chrono>, <ctime>) nor own a random
# generator (<random>): sys/base/tmRandom is the one they use.
# tests/, bench/ and fuzz/ may include anything and are not checked.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

dirs=()
for d in src lobbyclient; do [ -d "$d" ] && dirs+=("$d"); done
[ ${#dirs[@]} -gt 0 ] || { echo "check-layers: no src/ or lobbyclient/ under $root" >&2; exit 2; }

sources() { find "${dirs[@]}" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.inl' -o -name '*.cpp' -o -name '*.cc' \); }

{
  # Section 1: every file (to resolve includes); section 2: the include lines.
  sources | sed 's/^/F\t/'
  sources | sort | xargs -r grep -nHE '^[[:space:]]*#[[:space:]]*include' /dev/null | sed 's/^/I\t/' || true
} | awk -F'\t' '
function fail(file, line, target, why) {
    printf "%s:%s: #include %s: %s\n", file, line, target, why
    bad++
}
function dirname(p) { sub(/\/[^\/]*$/, "", p); return p }
# Folds "a/./b" and "a/x/../b" so relative includes resolve to a tree path.
function normpath(p,    n, parts, out, i, k) {
    n = split(p, parts, "/")
    k = 0
    for (i = 1; i <= n; i++) {
        if (parts[i] == "." || parts[i] == "") continue
        if (parts[i] == ".." && k > 0) { k--; continue }
        out[++k] = parts[i]
    }
    p = ""
    for (i = 1; i <= k; i++) p = p (i > 1 ? "/" : "") out[i]
    return p
}
# The tree path a quoted (or angle, when ours) include names, or "" when it names no file of the tree.
function resolve(from, t, quoted,    c) {
    if (quoted) { c = normpath(dirname(from) "/" t); if (c in have) return c }
    if (("src/" t) in have) return "src/" t
    if (t ~ /^lobbyclient\// && ("lobbyclient/include/" t) in have) return "lobbyclient/include/" t
    if (t in have) return t
    if (t == "content_tables.h") return "generated/content_tables.h"
    # A quoted path of ours whose file is missing (not written yet, or a typo the compiler will report)
    # is still judged by where it points.
    if (quoted && t ~ /\//) return (t ~ /^lobbyclient\//) ? t : "src/" t
    return ""
}
# Sets RANK, ROOM and NAME for a tree path; RANK 0 when the path lies outside the plan.
function place(p,    a, n) {
    RANK = 0; ROOM = ""; NAME = ""
    n = split(p, a, "/")
    if (p == "generated/content_tables.h") { RANK = 5; ROOM = "table"; NAME = "table" }
    else if (a[1] == "lobbyclient") {
        RANK = 50
        if (a[2] == "include") { ROOM = "lobbyclient/include"; NAME = "the public lobby headers" }
        else { ROOM = "lobbyclient"; NAME = "the lobby library internals" }
    }
    else if (a[1] != "src" || n < 3) return
    else if (a[2] == "platform") { RANK = 1; ROOM = "platform/" a[3]; NAME = "platform" }
    else if (a[2] == "format") { RANK = 2; ROOM = "format"; NAME = "format" }
    else if (a[2] == "sys" && a[3] == "base") { RANK = 3; ROOM = "sys/base"; NAME = "sys/base" }
    else if (a[2] == "sys" && n == 3 && a[3] ~ /^tmTimer\./) { RANK = 4; ROOM = "sys/timer"; NAME = "the wall clock" }
    else if (a[2] == "sys" && n > 3 && a[3] ~ /^(gfx|data|model|resource|render|batch|text|input|net|sound)$/) {
        RANK = 4; ROOM = "sys/" a[3]; NAME = "sys/" a[3]
    }
    else if (a[2] == "table") { RANK = 5; ROOM = "table"; NAME = "table" }
    else if (a[2] == "app" && n == 3 && a[3] ~ /^(tmConfig|tmSaveImageLayout|tmSequence|tmSequenceFactory)\./) {
        RANK = 6; ROOM = "app services"; NAME = "the app services"
    }
    else if (a[2] == "app" && n == 3 && a[3] ~ /^tmCameraCtrl\./) { RANK = 8; ROOM = "camera"; NAME = "simulation (camera)" }
    else if (a[2] == "app") { RANK = 10; ROOM = "app top"; NAME = "app top" }
    else if (a[2] == "race" && n == 3 && a[3] ~ /^(tmRaceState|tmLapTimer)\./) { RANK = 7; ROOM = "race data"; NAME = "race data" }
    else if (a[2] ~ /^(utility|course|machine|effect|camera|frontend)$/) { RANK = 8; ROOM = a[2]; NAME = "simulation (" a[2] ")" }
    else if (a[2] ~ /^(race|menu|test|lobby)$/) { RANK = 9; ROOM = a[2]; NAME = "screens (" a[2] ")" }
}
# Third-party and system headers that belong to the platform layer alone.
function platformOnly(t) {
    return t ~ /^(SDL[^\/]*\.h|SDL2\/|GL\/|GLES[0-9]*\/|EGL\/|KHR\/|X11\/|epoxy\/|ft2build\.h|freetype2?\/|fontconfig\/|iconv\.h|curl\/|nettle\/|stb\/|png\.h|jpeglib\.h|zlib\.h|netinet\/|arpa\/|netdb\.h|poll\.h|sys\/(socket|un|poll|select|epoll)\.h)/
}
$1 == "F" { have[$2] = 1; next }
$1 != "I" { next }
{
    # "I<TAB>file:line:text"
    rest = substr($0, 3)
    i = index(rest, ":"); file = substr(rest, 1, i - 1); rest = substr(rest, i + 1)
    i = index(rest, ":"); line = substr(rest, 1, i - 1); text = substr(rest, i + 1)
    sub(/^[ \t]*#[ \t]*include[ \t]*/, "", text)
    quoted = 0; t = ""
    if (substr(text, 1, 1) == "\"") { quoted = 1; t = substr(text, 2); t = substr(t, 1, index(t, "\"") - 1); shown = "\"" t "\"" }
    else if (substr(text, 1, 1) == "<") { t = substr(text, 2); t = substr(t, 1, index(t, ">") - 1); shown = "<" t ">" }
    else { t = text; sub(/[ \t\/].*$/, "", t); shown = t }

    place(file); aRank = RANK; aRoom = ROOM; aName = NAME
    if (aRank == 0) {
        if (!(file in unplaced)) fail(file, line, shown, "this folder has no floor in the plan (add it to scripts/check-layers.sh)")
        unplaced[file] = 1
        next
    }
    isPlatform = (aRank == 1)
    isHeader = (file ~ /\.(h|hpp|inl)$/)

    # Headers that are not files of this tree: system, std and third-party ones.
    target = (quoted || t ~ /\//) ? resolve(file, t, quoted) : ""
    if (!quoted && target == "" && !(t ~ /\//) && (("src/" t) in have)) target = "src/" t
    if (target == "") {
        if (t ~ /^FT_/ || platformOnly(t)) {
            if (!isPlatform) fail(file, line, shown, "SDL, GL, FreeType, fontconfig, iconv, curl, nettle, image and socket headers belong to src/platform")
            else if (isHeader) fail(file, line, shown, "platform headers hold std and our own types; include it in the .cpp")
        } else if (quoted) {
            fail(file, line, shown, "names no file of the tree (a generated header needs a floor in scripts/check-layers.sh)")
        } else if ((aRank == 7 || aRank == 8) && t ~ /^(chrono|ctime|time\.h|sys\/time\.h|random)$/) {
            fail(file, line, shown, aName " never reads the clock nor owns a random generator (sys/base/tmRandom.h is the shared one)")
        }
        next
    }

    place(target); bRank = RANK; bRoom = ROOM; bName = NAME
    if (bRank == 0) { fail(file, line, shown, "not a place " aName " may include"); next }

    # The lobby library: a closed box with one public folder.
    if (aRoom == "lobbyclient/include") {
        if (bRoom != "lobbyclient/include") fail(file, line, shown, "the public lobby headers include only each other and std")
        next
    }
    if (aRoom == "lobbyclient") {
        if (bRank != 50 && bRoom !~ /^platform\/(net|http|crypto)$/)
            fail(file, line, shown, "the lobby library includes only itself and platform/{net,http,crypto}")
        next
    }
    if (bRoom == "lobbyclient") { fail(file, line, shown, "lobby library internals; the game sees lobbyclient/include only"); next }
    if (bRoom == "lobbyclient/include") {
        if (aRoom != "app services" && aRoom != "lobby" && aRoom != "app top")
            fail(file, line, shown, "only the app services, the lobby screen and app top include the lobby library")
        next
    }
    # The drawing seam: tmDraw.h and what it includes stay thin, and are all floors 7-9 see of the renderer.
    seamB = (target ~ /^src\/sys\/render\/(tmDraw|tmRenderLayer|tmFrustum)\.h$/)
    if (file ~ /^src\/sys\/render\/(tmDraw|tmRenderLayer|tmFrustum)\.h$/ && bRank > 3 && !seamB) {
        fail(file, line, shown, "the drawing seam includes only sys/base, format and itself"); next
    }
    if (aRoom == bRoom) next
    above = (aRank >= 7 && aRank <= 9)
    if (bRoom == "sys/render" && (above || aRoom == "sys/batch") && !seamB) {
        fail(file, line, shown, aName " reaches the renderer only through sys/render/tmDraw.h"); next
    }
    if (bRoom == "sys/gfx" && above) { fail(file, line, shown, aName " never sees the device, the render set-up or gfx types"); next }
    if (bRank == 1 && aRank >= 7 && aRank <= 9) { fail(file, line, shown, aName " reaches the platform only through sys/"); next }
    if (bRoom == "sys/timer") {
        if (aRoom !~ /^(sys\/render|sys\/batch|sys\/sound|race|test|app top)$/)
            fail(file, line, shown, "the wall clock is for the main loop, the renderer, sound and the race network, never " aName)
        next
    }
    if (aRoom == "format" && bRoom != "format") { fail(file, line, shown, "format includes only std and itself"); next }
    if (aRank == 4 && bRank == 4) {
        arrow = aRoom " > " bRoom
        if (arrow !~ /^(sys\/resource > sys\/(gfx|model|data)|sys\/render > sys\/(resource|gfx|data)|sys\/batch > sys\/(render|resource)|sys\/text > sys\/(gfx|resource)|sys\/sound > sys\/data)$/)
            fail(file, line, shown, "sideways from " aRoom " to " bRoom " is not an arrow of the plan")
        next
    }
    if (bRank > aRank) fail(file, line, shown, "points up from " aName " to " bName)
}
END {
    if (bad) { printf "check-layers: %d include(s) break the layer plan\n", bad; exit 1 }
}'

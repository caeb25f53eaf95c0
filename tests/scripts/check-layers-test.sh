#!/usr/bin/env bash
# check-layers-test.sh -- the layer check passes on a copy of the tree and fails on each planted breach.
# Usage: check-layers-test.sh REPO_ROOT
set -euo pipefail
repo=$1
check=$repo/scripts/check-layers.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$repo/src" "$repo/lobbyclient" "$scratch/"

failures=0
# expect pass|fail FILE INCLUDE [TEXT]: plants FILE (made or appended to) with the include line, runs the
# check, wants the outcome (and TEXT in its report), then restores the tree.
expect() {
    local want=$1 file=$2 include=$3 text=${4:-}
    local path=$scratch/$file backup=""
    mkdir -p "$(dirname "$path")"
    if [ -e "$path" ]; then backup=$(mktemp); cp "$path" "$backup"; fi
    printf '%s\n' "$include" >>"$path"
    local out rc=0
    out=$("$check" "$scratch" 2>&1) || rc=$?
    if [ -n "$backup" ]; then mv "$backup" "$path"; else rm -f "$path"; fi
    local got=pass
    [ $rc -eq 0 ] || got=fail
    if [ "$got" != "$want" ] || { [ -n "$text" ] && [[ "$out" != *"$text"* ]]; }; then
        echo "FAILED: $file with '$include': wanted $want${text:+ ($text)}, got $got:"
        echo "$out" | sed 's/^/    /'
        failures=$((failures + 1))
    fi
}

# The tree as it is passes.
rc=0
out=$("$check" "$scratch" 2>&1) || rc=$?
if [ $rc -ne 0 ]; then echo "FAILED: the unchanged tree fails:"; echo "$out"; failures=$((failures + 1)); fi

# Upward includes on the built floors, and a sideways one that is not an arrow.
expect fail src/sys/base/tmMath.h '#include "table/CourseTable.h"' "points up from sys/base to table"
expect fail src/platform/fs/Scratch.cpp '#include "sys/base/tmMath.h"' "points up"
expect fail src/table/Scratch.cpp '#include "app/tmMainLoop.h"' "points up from table to app top"
expect fail src/sys/model/Scratch.cpp '#include "sys/render/tmRender.h"' "not an arrow"
expect pass src/sys/resource/Scratch.cpp '#include "sys/model/tmObjLoader.h"'
expect fail src/format/Scratch.cpp '#include "platform/fs/File.h"' "format includes only std"
expect fail src/sys/render/tmDraw.h '#include "sys/render/tmRender.h"' "drawing seam includes only"
# Relative spellings are resolved before they are judged.
expect fail src/sys/base/Scratch.cpp '#include "../../table/CourseTable.h"' "points up"
expect fail src/sys/base/Scratch.cpp '#include <table/CourseTable.h>' "points up"
# The engine is handed the generated tables and the console; it never reaches up or sideways for them.
expect fail src/sys/data/tmExtDataBase.cpp '#include "content_tables.h"' "points up from sys/data to table"
expect fail src/sys/render/tmShader.cpp '#include "content_tables.h"' "points up from sys/render to table"
expect fail src/sys/resource/tmResourceHolderTables.cpp '#include "content_tables.h"' "points up from sys/resource"
expect fail src/sys/sound/tmSound.cpp '#include "sys/text/tmConsole.h"' "not an arrow"

# Folders still to come: their floors, the drawing seam, the app services and the race data.
expect pass src/machine/tmMachine.cpp '#include "sys/render/tmDraw.h"'
expect fail src/machine/tmMachine.cpp '#include "sys/render/tmRender.h"' "only through sys/render/tmDraw.h"
expect fail src/effect/tmParticle.cpp '#include "sys/gfx/tmDevice.h"' "never sees the device"
expect fail src/course/tmCourse.cpp '#include "platform/fs/File.h"' "platform only through sys/"
expect pass src/course/tmCourse.cpp '#include "race/tmRaceState.h"'
expect pass src/frontend/tmHud.cpp '#include "app/tmConfig.h"'
expect pass src/camera/tmCamera.cpp '#include "machine/tmMachine.h"'
expect fail src/frontend/tmHud.cpp '#include "race/tmSeqRace.h"' "points up from simulation (frontend) to screens (race)"
expect fail src/race/tmRaceState.cpp '#include "machine/tmMachine.h"' "points up from race data"
expect fail src/utility/tmView.cpp '#include "sys/tmTimer.h"' "wall clock"
expect fail src/machine/tmMachine.cpp '#include <chrono>' "never reads the clock"
expect fail src/machine/tmMachine.cpp '#include <random>' "tmRandom"
expect pass src/race/tmRaceNetwork.cpp '#include "sys/tmTimer.h"'
expect pass src/menu/tmSeqTitle.cpp '#include "lobby/tmSeqLobby.h"'
expect fail src/menu/tmSeqTitle.cpp '#include "app/tmProgram.h"' "points up from screens (menu) to app top"
expect fail src/test/tmSeqTest.cpp '#include "sys/render/tmRender.h"' "screens (test) reaches the renderer only through"
expect fail src/test/tmSeqTest.cpp '#include "sys/gfx/tmDevice.h"' "never sees the device"
expect pass src/test/tmSeqTest.cpp '#include "sys/render/tmDraw.h"'
expect pass src/app/tmCameraCtrl.cpp '#include "camera/tmCamera.h"'
expect fail src/app/tmCameraCtrl.cpp '#include "app/tmMainLoop.h"' "points up from simulation (camera) to app top"
expect fail src/tracks/Scratch.cpp '#include "sys/base/tmMath.h"' "no floor in the plan"

# The lobby library: public headers only, for the app services and the lobby screen.
expect pass src/lobby/tmSeqLobby.cpp '#include "lobbyclient/Lobby.h"'
expect fail src/lobby/tmSeqLobby.cpp '#include "lobbyclient/LobbyState.h"' "internals"
expect fail src/race/tmSeqRace.cpp '#include "lobbyclient/Lobby.h"' "only the app services, the lobby screen"
expect fail lobbyclient/Scratch.cpp '#include "sys/base/tmMath.h"' "includes only itself and platform/{net,http,crypto}"
expect fail lobbyclient/Scratch.cpp '#include "platform/fs/File.h"' "platform/{net,http,crypto}"
expect fail lobbyclient/include/lobbyclient/Lobby.h '#include "lobbyclient/LobbyState.h"' "public lobby headers include only"

# Platform-only headers.
expect fail src/sys/sound/Scratch.cpp '#include <SDL.h>' "belong to src/platform"
expect fail src/menu/Scratch.cpp '#include <epoxy/gl.h>' "belong to src/platform"
expect fail src/sys/net/Scratch.cpp '#include <sys/socket.h>' "belong to src/platform"
expect fail lobbyclient/Scratch.cpp '#include <curl/curl.h>' "belong to src/platform"
expect fail src/sys/text/Scratch.cpp '#include FT_FREETYPE_H' "belong to src/platform"
expect fail src/sys/resource/Scratch.cpp '#include <png.h>' "belong to src/platform"
expect fail src/format/Scratch.cpp '#include <zlib.h>' "belong to src/platform"
expect fail src/lobby/Scratch.cpp '#include <jpeglib.h>' "belong to src/platform"
expect pass src/platform/image/Scratch.cpp '#include <png.h>'
expect fail src/platform/net/Scratch.h '#include <netdb.h>' "platform headers hold std"
expect pass src/platform/net/Scratch.cpp '#include <netdb.h>'

if [ $failures -ne 0 ]; then echo "$failures case(s) failed"; exit 1; fi
echo "check-layers: every case as expected"

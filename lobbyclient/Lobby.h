// Lobby.h -- the exported interface of the lobby client library.
#pragma once
#include "lobbyclient/LobbyApi.h"
#include "lobbyclient/LobbyRecords.h"

namespace lobby {

// Fills one process-wide static string with a new GUID in the form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 upper-case characters) and
// returns it; valid until the next call.
LOBBY_API const char* CreateGUID();

}  // namespace lobby

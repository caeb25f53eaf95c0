// LobbyApi.h -- export marker of the lobby client library's public interface.
#pragma once

#define LOBBY_API __attribute__((visibility("default")))

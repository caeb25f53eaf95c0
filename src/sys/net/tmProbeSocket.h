// tmProbeSocket.h -- the engine's non-blocking sockets for the lobby's port reachability probe.
#pragma once
#include <cstdint>

#include "platform/net/ProbeSocket.h"

// Non-blocking TCP and UDP sockets (listener, accepted connection, datagram
// socket) that the lobby screen polls once per logic step to answer the
// lobby server's probe of the race port.
using tmProbeSocket = platform::ProbeSocket;

// True when a socket can be bound to the address (network order) on this machine.
bool tmIsLocalAddress(uint32_t address);

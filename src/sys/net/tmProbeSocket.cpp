// tmProbeSocket.cpp -- the local-address test for the probe's choice of address.
#include "sys/net/tmProbeSocket.h"

#include "platform/net/UdpSocket.h"

bool tmIsLocalAddress(uint32_t address) { return platform::IsLocalAddress(address); }

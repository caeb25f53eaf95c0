// tmDevice.h -- the process-wide graphics device pointer (null until the first device set-up).
#pragma once

namespace gfx {
class Device;
}

gfx::Device* tmGetDevice();
void tmSetDevice(gfx::Device* device);

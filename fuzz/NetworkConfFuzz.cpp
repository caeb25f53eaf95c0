// NetworkConfFuzz.cpp -- "network.conf" text of any bytes, and the chat text rules over the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lobby/LobbyText.h"
#include "lobby/NetworkConf.h"
#include "sys/text/tmSjis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    g2lobby::CNetworkConf conf;
    conf.LoadText(text);
    if (conf.LobbyPort < 1 || conf.LobbyPort > 65535 || conf.BattlePort < 1 || conf.BattlePort > 65535)
        __builtin_trap();
    // Chat lines and command lines come from other players: splits stay on character boundaries.
    const size_t length = size ? 1 + data[0] % 128 : 1;
    const g2lobby::ChatSplit split = g2lobby::SplitChatText(text, length);
    if (split.first.size() > length || split.first + split.rest != text) __builtin_trap();
    if (!tmSjis::IsBoundary(text, split.first.size())) __builtin_trap();
    const g2lobby::ChatCommand command = g2lobby::ParseChatCommand("/" + text);
    if (command.word.size() + command.argument.size() > text.size()) __builtin_trap();
    return 0;
}

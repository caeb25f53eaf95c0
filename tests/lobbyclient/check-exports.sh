#!/usr/bin/env bash
# check-exports.sh -- the lobby library's dynamic symbol table holds its public interface and nothing else.
# Usage: check-exports.sh path/to/libZARVOClientLib.so
set -euo pipefail
lib=$1
symbols=$(nm -D --defined-only -C "$lib" | sed -E 's/^[0-9a-fA-F]* *[A-Za-z] //' | sort -u)

classes='CLobby|CLobbyMsg|CLobbyMsg::CData|CLobbyError|CPlayer|CPlayerList|CRoom|CRoomList|CChat|CPlayerPict|CBattleRequest|CBattleReply|CBattleResult|CRoomReply|CRoomStart'
interface="^(lobby::CreateGUID\(\)|lobby::($classes)::.*|(vtable|typeinfo|typeinfo name) for lobby::($classes))$"

status=0
stray=$(grep -vE "$interface" <<<"$symbols" || true)
if [ -n "$stray" ]; then
    echo "exported but not part of the interface:"
    echo "$stray" | sed 's/^/    /'
    status=1
fi

# What the game calls by name must be there.
required=(
    "lobby::CreateGUID()"
    "lobby::CLobby::CLobby(char const*, int, char const*, unsigned long, char const*, int)"
    "lobby::CLobby::~CLobby()"
    "lobby::CLobby::Enter(lobby::CPlayer const&, char const*, char const*)"
    "lobby::CLobby::Leave()"
    "lobby::CLobby::IsLeavable()"
    "lobby::CLobby::GetID()"
    "lobby::CLobby::GetMsg()"
    "lobby::CLobby::ReleaseMsg(lobby::CLobbyMsg&)"
    "lobby::CLobby::GetPlayerList()"
    "lobby::CLobby::GetRoomList()"
    "lobby::CLobby::GetChat()"
    "lobby::CLobby::GetPlayerPict(int)"
    "lobby::CLobby::Update(lobby::CPlayer const&)"
    "lobby::CLobby::Chat(char const*, int, int)"
    "lobby::CLobby::BattleRequest(int, bool)"
    "lobby::CLobby::BattleAcknowledge(lobby::BATTLE_ACKNOWLEDGE)"
    "lobby::CLobby::BattleFinish(lobby::BATTLE_RESULT)"
    "lobby::CLobby::RoomCreate(char const*, int, int)"
    "lobby::CLobby::RoomEnter(int)"
    "lobby::CLobby::RoomLeave()"
    "lobby::CLobby::RoomStart()"
    "lobby::CLobby::RoomFinish(lobby::BATTLE_RESULT)"
    "lobby::CLobby::ChatSelf(char const* const*, int)"
    "lobby::CLobby::ChatSelf(char const*)"
    "lobby::CPlayer::CPlayer()"
    "lobby::CPlayer::SetName(char const*)"
    "lobby::CRoom::isContain(int) const"
    "lobby::CLobbyError::SetMsg(char const*)"
    "vtable for lobby::CPlayer"
    "typeinfo for lobby::CLobbyMsg::CData"
)
for name in "${required[@]}"; do
    if ! grep -qxF "$name" <<<"$symbols"; then
        echo "missing from the exports: $name"
        status=1
    fi
done
[ $status -eq 0 ] && echo "lobby exports: $(wc -l <<<"$symbols") symbols, all of the interface"
exit $status

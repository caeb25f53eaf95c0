// tmRaceNetworkHostileTest.cpp -- untrusted datagrams: each malformed, forged or out-of-range one is dropped whole.
#include <cmath>
#include <cstring>
#include <string>

#include "format/ByteIO.h"
#include "tests/race/RaceNetFixture.h"

using namespace racetest;

namespace {

// What a session shows of its state, to compare before and after hostile input.
std::string Snapshot(const tmRaceNetwork& net) {
    uint8_t t[kNetTableSize];
    tmNetWriteTable(net.GetTable(), t);
    uint8_t c[kNetControlSize];
    tmNetWriteControl(net.GetRaceControl(), c);
    std::string s(reinterpret_cast<const char*>(t), sizeof t);
    s.append(reinterpret_cast<const char*>(c), sizeof c);
    for (int i = 0; i < kNetPlayers; ++i) {
        uint8_t b[kNetStateSize];
        tmNetWriteState(net.GetState(i), b);
        s.append(reinterpret_cast<const char*>(b), sizeof b);
    }
    return s;
}

// Sets a payload word and mends the check word, so only the field is wrong.
std::vector<uint8_t> WithWord(std::vector<uint8_t> d, size_t payloadOffset, uint32_t value) {
    zfmt::StoreU32(d.data() + kNetHeaderSize + payloadOffset, value);
    zfmt::StoreU32(d.data() + 8, tmNetCheckWord(d.data() + kNetHeaderSize, d.size() - kNetHeaderSize));
    return d;
}

std::vector<uint8_t> WithByte(std::vector<uint8_t> d, size_t payloadOffset, uint8_t value) {
    d[kNetHeaderSize + payloadOffset] = value;
    zfmt::StoreU32(d.data() + 8, tmNetCheckWord(d.data() + kNetHeaderSize, d.size() - kNetHeaderSize));
    return d;
}

class Hostile : public RaceNetTest {
protected:
    void SetUp() override {
        RaceNetTest::SetUp();
        host = Join(1);
        a = Join(2);
        b = Join(3);
        host.net->Poll();
        host.net->Send(kNetMsgTable);
        host.net->Send(kNetMsgControl);
        a.net->Poll();
        b.net->Poll();
        ASSERT_EQ(a.net->GetTable().count, 3u);
    }

    // Delivers d to `to` from `source`, polls, and says whether anything changed.
    bool Changes(Player& to, const std::vector<uint8_t>& d, uint32_t source) {
        const std::string before = Snapshot(*to.net);
        hub_.Inject(to.id, d.data(), d.size(), source);
        to.net->Poll();
        return Snapshot(*to.net) != before;
    }

    Player host, a, b;
};

}  // namespace

TEST_F(Hostile, MalformedDatagramsToTheHostChangeNothing) {
    const uint32_t stranger = Loopback(9);
    tmNetPlayerEntry e = Entry(a.id, 100, "Changed");
    const std::vector<uint8_t> good = EntryDatagram(e, a.id);
    std::vector<std::pair<const char*, std::vector<uint8_t>>> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"short of a header", std::vector<uint8_t>(good.begin(), good.begin() + 11)});
    cases.push_back({"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1)});
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    cases.push_back({"one byte long", longer});
    std::vector<uint8_t> type0 = good;
    zfmt::StoreU32(type0.data(), 0);
    cases.push_back({"type 0 header", type0});
    std::vector<uint8_t> type9 = good;
    zfmt::StoreU32(type9.data(), 9);
    cases.push_back({"type 9", type9});
    std::vector<uint8_t> badCheck = good;
    badCheck[8] ^= 1;
    cases.push_back({"check word", badCheck});
    cases.push_back({"payload id is not the sender", EntryDatagram(Entry(stranger, 100), a.id)});
    std::vector<uint8_t> unterminated = good;
    for (size_t i = 8; i < 8 + kRaceNameSize; ++i) unterminated = WithByte(unterminated, i, 'A');
    cases.push_back({"unterminated driver", unterminated});
    cases.push_back({"machine 12", WithWord(good, 48, 12)});
    cases.push_back({"variant 2", WithWord(good, 52, 2)});
    cases.push_back({"ready 2", WithByte(good, 56, 2)});
    cases.push_back({"grid slot 16", WithWord(good, 44, 16)});
    tmPeerMachineState nan;
    nan.sequence = 100;
    nan.x = std::nanf("");
    cases.push_back({"state with NaN", StateDatagram(nan, a.id)});
    tmNetRaceControl c;
    c.sequence = 100;
    c.phase = 4;
    cases.push_back({"race control to the host", ControlDatagram(c, a.id)});
    for (auto& [what, d] : cases) EXPECT_FALSE(Changes(host, d, a.id)) << what;

    // Right bytes from the wrong place: the header's sender is not the source address.
    EXPECT_FALSE(Changes(host, good, stranger));
    // The host's own id as a sender.
    EXPECT_FALSE(Changes(host, EntryDatagram(Entry(host.id, 100), host.id), host.id));
    // A state from someone outside the table changes nothing.
    tmPeerMachineState s;
    s.sequence = 100;
    EXPECT_FALSE(Changes(host, StateDatagram(s, stranger), stranger));
    EXPECT_GE(host.net->GetRejectedCount(), 16u);
    EXPECT_EQ(host.net->GetCrcErrorCount(), 1u);

    // The same entry, well formed and from its owner, is taken.
    EXPECT_TRUE(Changes(host, good, a.id));
    EXPECT_STREQ(host.net->GetTable().entries[1].driverName, "Changed");
}

TEST_F(Hostile, TablesAndRaceControlOnlyFromTheHostAndOnlyWellFormed) {
    tmNetPlayerTable t = host.net->GetTable();
    t.sequence = 1000;
    t.course = 9;
    const std::vector<uint8_t> good = TableDatagram(t, host.id);
    // From a guest address, even with the host's id in the header or its own.
    EXPECT_FALSE(Changes(a, good, b.id));
    EXPECT_FALSE(Changes(a, TableDatagram(t, b.id), b.id));
    // Out-of-range fields.
    EXPECT_FALSE(Changes(a, WithWord(good, 964, 17), host.id));               // count
    EXPECT_FALSE(Changes(a, WithWord(good, 964, 0), host.id));                // count
    EXPECT_FALSE(Changes(a, WithWord(good, 968, 3), host.id));                // session state
    EXPECT_FALSE(Changes(a, WithWord(good, 972, 14), host.id));               // course
    EXPECT_FALSE(Changes(a, WithWord(good, 4 + 60 + 44, 0), host.id));        // two players on slot 0
    EXPECT_FALSE(Changes(a, WithWord(good, 4 + 2 * 60 + 44, 7), host.id));    // slot beyond the count
    EXPECT_FALSE(Changes(a, WithWord(good, 4 + 2 * 60 + 4, a.id), host.id));  // an id twice
    EXPECT_FALSE(Changes(a, WithWord(good, 4 + 2 * 60 + 48, 99), host.id));   // machine
    std::vector<uint8_t> shortTable(good.begin(), good.end() - 1);
    EXPECT_FALSE(Changes(a, shortTable, host.id));

    tmNetRaceControl c;
    c.sequence = 1000;
    c.phase = 3;
    const std::vector<uint8_t> control = ControlDatagram(c, host.id);
    EXPECT_FALSE(Changes(a, control, b.id));
    EXPECT_FALSE(Changes(a, WithByte(control, 8, 255), host.id));  // order byte beyond 15
    EXPECT_FALSE(Changes(a, WithByte(control, 9, 0), host.id));    // 0 twice
    EXPECT_FALSE(Changes(a, WithWord(control, 4, 2), host.id));    // phase 2

    // A forged table from elsewhere does not even hold off the guest's silence.
    for (int i = 0; i < 20; ++i) a.net->Poll();
    const uint32_t silence = a.net->GetSilence();
    hub_.Inject(a.id, TableDatagram(t, b.id).data(), 988, b.id);
    a.net->Poll();
    EXPECT_EQ(a.net->GetSilence(), silence + 1);

    EXPECT_TRUE(Changes(a, good, host.id));
    EXPECT_TRUE(Changes(a, control, host.id));
    EXPECT_EQ(a.net->GetTable().course, 9u);
    EXPECT_EQ(a.net->GetRaceControl().phase, 3u);
}

TEST_F(Hostile, RandomBytesNeverBreakTheTable) {
    uint64_t seed = 12345;
    auto next = [&] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(seed >> 33);
    };
    for (int round = 0; round < 4000; ++round) {
        Player& to = round % 2 ? a : host;
        const uint32_t type = 1 + next() % 5;
        std::vector<uint8_t> d(round % 3 == 0 ? next() % 1281 : kNetHeaderSize + tmNetPayloadSize(type));
        for (uint8_t& byte : d) byte = static_cast<uint8_t>(next());
        if (d.size() >= kNetHeaderSize && round % 3 != 0) {
            // A proper header, so the payload checks are what stands in the way.
            const uint32_t source = round % 5 == 0 ? host.id : b.id;
            zfmt::StoreU32(d.data(), type);
            zfmt::StoreU32(d.data() + 4, source);
            zfmt::StoreU32(d.data() + 8, tmNetCheckWord(d.data() + kNetHeaderSize, d.size() - kNetHeaderSize));
            hub_.Inject(to.id, d.data(), d.size(), source);
        } else {
            hub_.Inject(to.id, d.data(), d.size(), b.id);
        }
        to.net->Poll();
    }
    for (Player* p : {&host, &a}) {
        const tmNetPlayerTable& t = p->net->GetTable();
        ASSERT_TRUE(tmNetIsTableValid(t));
        ASSERT_TRUE(tmNetIsControlValid(p->net->GetRaceControl()));
        EXPECT_EQ(t.count, 3u);
    }
}

TEST_F(Hostile, RefusalsAreLoggedAtARateThatFalls) {
    tmRaceNetwork::SetQuietLog(false);
    testing::internal::CaptureStderr();
    const std::vector<uint8_t> junk(30, 0x55);
    for (int i = 0; i < 200; ++i) {
        hub_.Inject(host.id, junk.data(), junk.size(), a.id);
        host.net->Poll();
    }
    const std::string log = testing::internal::GetCapturedStderr();
    size_t lines = 0;
    for (char ch : log) lines += ch == '\n';
    EXPECT_GE(lines, 1u);
    EXPECT_LE(lines, 8u);  // the 1st, 2nd, 4th ... 128th
    EXPECT_NE(log.find("127.0.0.2"), std::string::npos);
    EXPECT_EQ(host.net->GetRejectedCount(), 200u);
}

// MachineTiresTest.cpp -- steering slew and sign, tire forces, path radius limits, heading and the steady circle.
#include <cmath>
#include <functional>

#include "sys/base/tmMatrix.h"
#include "tests/machine/MachineFixture.h"
#include "tests/machine/TestTrack.h"

namespace {

constexpr float kPi = 3.14159265f;

class Tires : public MachineTest {
protected:
    tmMachine& Machine(const tmCourse* course, const tmMachineParams* params = nullptr, int id = 1) {
        tmMachine& m = AddMachine(course, id, kControllerPlayer, 0, true);
        if (params) UseParams(m, *params, course);
        tmMachineCore* c = m.GetCore();
        c->position = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
        c->SetRotation(0.0f, 0.0f, 0.0f);
        m.GetMove()->heading = 0.0f;
        return m;
    }
};

// Handling of the type-1 (sliding) tire model for the closed-form cases.
tmMachineParams SlideParams() {
    tmMachineParams p = SimpleParams();
    p.drivingType = 1;
    p.bodyTensor = 1.0f;
    p.rfResist = 0.8f;
    p.rfMixRateSpMin = 150.0f;
    p.rfMixRateSpMax = 600.0f;
    p.rfHandlePwr = 24.0f;
    p.rfInertialPwr = 16.0f;
    p.rfFrontPwrRate = 0.01f;
    p.rfRearPwrRate = 0.02f;
    return p;
}

TEST_F(Tires, SteeringSlewsThreeHundredthsPerStep) {
    tmMachineParams p = SimpleParams();
    tmMachine& m = Machine(nullptr, &p);
    tmMachineMove* move = m.GetMove();
    const float rate = 20.0f / 180.0f * kPi;
    for (int i = 0; i < 100; ++i) move->ApplySteering(-1.0f);
    EXPECT_FLOAT_EQ(move->steeringAngle, rate);  // full left: a positive wheel angle
    int steps = 0;
    while (move->steeringAngle != -rate && steps < 1000) {
        move->ApplySteering(1.0f);
        ++steps;
    }
    EXPECT_EQ(steps, static_cast<int>(std::ceil(2.0f * rate / 0.03f)));
    EXPECT_FLOAT_EQ(m.GetCore()->steeringAngle, -rate);
    // In the aero body the lock is handleRateAero.
    m.GetCore()->bodyMode = 1;
    for (int i = 0; i < 100; ++i) move->ApplySteering(1.0f);
    EXPECT_FLOAT_EQ(move->steeringAngle, -14.0f / 180.0f * kPi);
}

TEST_F(Tires, StandingMachineHasNoForceAndHeadsWhereItPoints) {
    tmMachineParams p = SimpleParams();
    tmMachine& m = Machine(nullptr, &p);
    tmMachineMove* move = m.GetMove();
    m.GetCore()->SetRotation(0.0f, 0.7f, 0.0f);
    move->heading = 0.2f;
    move->v = 0.005f;
    move->UpdateGripLimits();
    move->TireForcesA(0.3f);
    EXPECT_EQ(move->lateralForce, 0.0f);
    EXPECT_EQ(move->rho, 0.0f);
    EXPECT_EQ(move->h, 0.0f);
    move->IntegrateHeadingA(0.3f);
    EXPECT_FLOAT_EQ(move->heading, 0.7f + move->psi);
    EXPECT_EQ(move->omega, 0.0f);
}

TEST_F(Tires, PathRadiusIsHeldBetweenItsLimits) {
    tmMachineParams p = SimpleParams();
    p.tireFrict = 1000.0f;
    tmMachine& m = Machine(nullptr, &p);
    tmMachineMove* move = m.GetMove();
    move->UpdateGripLimits();
    // A crawl with a wide drift: a radius under pi/2 is raised to it; the chord is too short to turn.
    move->v = 0.02f;
    move->heading = -1.0f;
    move->TireForcesA(0.0f);
    EXPECT_FLOAT_EQ(std::fabs(move->rho), 1.5707964f);
    EXPECT_EQ(move->h, 0.0f);
    // A whisper of drift at speed: a radius beyond 100000 counts as straight.
    move->v = 100.0f;
    move->heading = -5.0e-6f;
    move->TireForcesA(0.0f);
    EXPECT_GT(std::fabs(move->lateralForce), 0.001f);
    EXPECT_EQ(move->rho, 0.0f);
    EXPECT_EQ(move->h, 0.0f);
}

TEST_F(Tires, YawTorqueNeverWorksAgainstTheSteering) {
    tmMachineParams p = SimpleParams();
    p.tireFrict = 1000.0f;
    tmMachine& m = Machine(nullptr, &p);
    tmMachineMove* move = m.GetMove();
    move->v = 50.0f;
    move->UpdateGripLimits();
    move->h = 0.0f;
    move->heading = -0.5f;           // drift pushes the body one way ...
    move->IntegrateHeadingA(-0.1f);  // ... while the wheels point the other
    EXPECT_EQ(move->tau, 0.0f);
    move->heading = 0.5f;
    move->omega = 0.0f;
    move->IntegrateHeadingA(-0.1f);
    EXPECT_LT(move->tau, 0.0f);
}

TEST_F(Tires, TypeZeroKeepsNoYawVelocityBelowTheSlideSpeed) {
    tmMachineParams p = SimpleParams();
    tmMachine& m = Machine(nullptr, &p);
    tmMachineMove* move = m.GetMove();
    move->v = 20.0f;  // 72 km/h, under rfMixRateSpMin
    move->UpdateGripLimits();
    move->TireForcesA(0.2f);
    move->IntegrateHeadingA(0.2f);
    EXPECT_EQ(move->kappa, 0.0f);
    EXPECT_EQ(move->omega, 0.0f);
    EXPECT_GT(move->psi, 0.0f);  // the body still yaws this step
}

TEST_F(Tires, HeadingMixRisesAcrossTheSlideRange) {
    tmMachineParams p = SlideParams();
    tmMachine& m = Machine(nullptr, &p);
    tmMachineMove* move = m.GetMove();
    move->v = 150.0f / 3.6f;
    EXPECT_EQ(move->HeadingMix(), 0.0f);
    move->v = 375.0f / 3.6f;
    EXPECT_NEAR(move->HeadingMix(), 0.5f, 1e-5f);
    move->v = 700.0f / 3.6f;
    EXPECT_EQ(move->HeadingMix(), 1.0f);
}

// Drives at full throttle with the wheel held until the speed has settled,
// then fits a circle through the machine's positions of the last ten seconds.
struct Circle {
    double radius = 0, spread = 0, kmh = 0;
};
Circle SteadyCircle(tmMachine& m, const std::function<void()>& step) {
    std::vector<D3DXVECTOR3> path;
    for (int i = 0; i < 60 * 100; ++i) {
        step();
        if (i >= 60 * 90) path.push_back(m.GetCore()->position);
    }
    // Least squares of x^2 + z^2 + D x + E z + F = 0.
    double s[3][4] = {};
    for (const D3DXVECTOR3& p : path) {
        const double row[3] = {p.x, p.z, 1.0}, rhs = -(double(p.x) * p.x + double(p.z) * p.z);
        for (int a = 0; a < 3; ++a) {
            for (int b = 0; b < 3; ++b) s[a][b] += row[a] * row[b];
            s[a][3] += row[a] * rhs;
        }
    }
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            if (r != c) {
                const double f = s[r][c] / s[c][c];
                for (int k = 0; k < 4; ++k) s[r][k] -= f * s[c][k];
            }
    const double D = s[0][3] / s[0][0], E = s[1][3] / s[1][1], F = s[2][3] / s[2][2];
    const double cx = -D / 2, cz = -E / 2;
    Circle c;
    c.radius = std::sqrt(cx * cx + cz * cz - F);
    double lo = 1e30, hi = 0;
    for (const D3DXVECTOR3& p : path) {
        const double r = std::hypot(p.x - cx, p.z - cz);
        lo = std::min(lo, r);
        hi = std::max(hi, r);
    }
    c.spread = hi - lo;
    c.kmh = m.GetCore()->kmh;
    return c;
}

TEST_F(Tires, FullLockAtFullThrottleDrivesASteadyCircle) {
    TestTrack floor(FlatFloor());
    tmMachineParams grip = SimpleParams();
    tmMachine& m = Machine(&floor.Course(), &grip);
    Key(pad::kAccelerate, true);
    Key(pad::kLeft, true);
    Circle c = SteadyCircle(m, [&]() { Step(&floor.Course()); });
    EXPECT_LT(c.spread, c.radius * 0.001);  // a circle, not a spiral
    EXPECT_NEAR(c.radius, 1472.33, 1.5) << "golden radius moved";
    EXPECT_GT(c.kmh, 400.0);
}

TEST_F(Tires, SlidingTiresDriveASteadyCircleToo) {
    TestTrack floor(FlatFloor());
    tmMachineParams slide = SlideParams();
    tmMachine& m = Machine(&floor.Course(), &slide);
    Key(pad::kAccelerate, true);
    Key(pad::kRight, true);
    Circle c = SteadyCircle(m, [&]() { Step(&floor.Course()); });
    EXPECT_LT(c.spread, c.radius * 0.001);
    EXPECT_NEAR(c.radius, 1430.36, 1.5) << "golden radius moved";
}

// The view of a camera behind and above a machine, looking the way it faces.
D3DXMATRIX ChaseView(const tmMachineCore& c) {
    const D3DXVECTOR3 forward(std::sin(c.rotation.y), 0.0f, std::cos(c.rotation.y));
    const D3DXVECTOR3 eye = c.position - forward * 80.0f + D3DXVECTOR3(0.0f, 25.0f, 0.0f);
    const D3DXVECTOR3 at = c.position + forward * 50.0f;
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view;
    tmMatrix::LookAtRH(&view, &eye, &at, &up);
    return view;
}

TEST_F(Tires, LeftKeyTurnsTheMachineToTheCameraLeft) {
    TestTrack floor(FlatFloor());
    for (int side : {pad::kLeft, pad::kRight}) {
        machines_.clear();
        tmMachine& m = Machine(&floor.Course(), nullptr, 1);
        const D3DXMATRIX view = ChaseView(*m.GetCore());
        Key(pad::kAccelerate, true);
        Key(side, true);
        Step(&floor.Course(), 90);
        Key(side, false);
        D3DXVECTOR3 seen;
        D3DXVec3TransformCoord(&seen, &m.GetCore()->position, &view);
        if (side == pad::kLeft) {
            EXPECT_LT(seen.x, -5.0f);  // view space x grows to the right of the picture
            EXPECT_GT(m.GetCore()->heading, 0.05f);
        } else {
            EXPECT_GT(seen.x, 5.0f);
            EXPECT_LT(m.GetCore()->heading, -0.05f);
        }
    }
}

}  // namespace

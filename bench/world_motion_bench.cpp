// One frame of weapon physics for four ships of twelve weapon particles each:
// springs, every pair's repulsion and attraction, the ship's push, damping,
// the move and the trail, as the playing update runs them, plus the ships'
// own update. The ships fly circles so the swarms stay in motion.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "PlayerShip.h"
#include "ShipType.h"
#include "Spring.h"
#include "WeaponParticle.h"
#include "ofMath.h"

namespace {

const int SHIPS = 4;
const int CHAIN = 12;

struct Slot {
    PlayerShip ship;
    WeaponParticle beads[CHAIN];
    Spring springs[CHAIN];
};

void setupSlots(Slot (&slots)[SHIPS], int type) {
    ofSeedRandom(1);
    for (int s = 0; s < SHIPS; ++s) {
        Slot& slot = slots[s];
        slot.ship.setup(ofColor(255, 0, 0), false, true, nullptr, nullptr);
        slot.ship.setShipType(type);
        slot.ship.reset(true);
        slot.ship.point.position.set(300.0f * s, 0);
        slot.ship.resetTrail();
        for (int i = 0; i < CHAIN; ++i) {
            float a = ofRandom(6.2831853f);
            slot.beads[i].position.set(slot.ship.point.position.x + 60 * std::cos(a),
                                       slot.ship.point.position.y + 60 * std::sin(a));
            slot.beads[i].velocity.set(0, 0);
            slot.beads[i].setupForShip(type, 1, false);
            slot.springs[i].setupForShipType(type, i);
            slot.springs[i].weaponEnd = &slot.beads[i];
            slot.springs[i].shipEnd = &slot.ship.point;
        }
    }
}

void weaponFrame(Slot (&slots)[SHIPS], int frame) {
    for (int s = 0; s < SHIPS; ++s) {
        Slot& slot = slots[s];
        slot.ship.setVelocity(frame * 0.05f + s, slot.ship.topSpeed);
        slot.ship.steering = true;
        slot.ship.update(1 / 30.0f);

        for (WeaponParticle& b : slot.beads) b.resetForce();
        for (Spring& sp : slot.springs) sp.update();
        for (int i = 0; i < CHAIN; ++i) {
            for (int j = i - 1; j >= 0; --j) {
                WeaponParticle& other = slot.beads[j];
                if (other.recentTravel > other.attractionRadius) break;
                slot.beads[i].addRepulsionForce(other, other.repulsionRadius, other.repulsionStrength);
                slot.beads[i].addAttractionForce(other, other.attractionRadius, other.attractionStrength);
            }
        }
        const ofVec2f& ship = slot.ship.point.position;
        for (int i = 0; i < CHAIN; ++i) {
            WeaponParticle& b = slot.beads[i];
            b.addRepulsionForce(ship.x, ship.y, slot.springs[i].restLength, slot.ship.weaponPushStrength);
            b.addDampingForce();
            b.update();
            b.pushTrail();
        }
    }
}

void BM_WeaponPhysicsFrame(benchmark::State& state) {
    static Slot slots[SHIPS];
    setupSlots(slots, static_cast<int>(state.range(0)));
    int frame = 0;
    for (auto _ : state) {
        weaponFrame(slots, frame++);
        benchmark::DoNotOptimize(slots[0].beads[0].position);
        benchmark::ClobberMemory();
    }
    state.SetLabel("4 ships x 12 particles, type " + std::to_string(state.range(0)));
}

}  // namespace

BENCHMARK(BM_WeaponPhysicsFrame)->Arg(SHIP_NORMAL)->Arg(SHIP_JELLY)->Arg(SHIP_CASCADE);

BENCHMARK_MAIN();

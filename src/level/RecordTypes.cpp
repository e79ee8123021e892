#include "level/RecordTypes.h"

#include "game/Box.h"
#include "game/CollisionBox.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/DoodadWater.h"
#include "game/Victory.h"
#include "game/Water.h"
#include "level/ObjectDescription.h"

#include <algorithm>
#include <iterator>

namespace {

// The constructors, with the record's fields in the order each one takes them.

template <typename Object>
std::unique_ptr<Entity> plain(const ObjectDescription& r, const EntityInputs& in) {
    return std::make_unique<Object>(r.meshFile, in.texture, in.programs.standard, r.materialFile,
                                    in.model);
}

// p3 and p4: a fan's start delay and turn speed, an upgrade's two boosts.
template <typename Object>
std::unique_ptr<Entity> withTwoParams(const ObjectDescription& r, const EntityInputs& in) {
    return std::make_unique<Object>(r.meshFile, in.texture, in.programs.standard, r.params[3],
                                    r.params[4], r.materialFile, in.model);
}

std::unique_ptr<Entity> water(const ObjectDescription& r, std::uint32_t program,
                              const EntityInputs& in) {
    const auto& p = r.params;
    return std::make_unique<Water>(r.meshFile, in.texture, program, p[4], p[5], p[6],
                                   r.materialFile, in.model, glm::vec4(p[0], p[1], p[2], p[3]));
}

std::unique_ptr<Entity> waterJet(const ObjectDescription& r, const EntityInputs& in) {
    return water(r, in.programs.water, in);
}

std::unique_ptr<Entity> waterPlane(const ObjectDescription& r, const EntityInputs& in) {
    return water(r, in.programs.waterPlane, in);
}

std::unique_ptr<Entity> collisionBox(const ObjectDescription& r, const EntityInputs& in) {
    return std::make_unique<CollisionBox>(r.meshFile, in.programs.standard, r.materialFile,
                                          in.model);
}

using K = RecordKind;
using S = ActorSource;

// The one place each record type is named. The columns: the type, its kind, whether
// the block has a physics line, where the actor comes from, whether the texture is
// loaded, the group of the actor's shapes (and of a dynamic one's), the constructor.
// clang-format off
constexpr RecordRule kRecordRules[] = {
    {"Character",     K::Character,     false, S::Controller,  true,  GROUP_DEFAULT, GROUP_DEFAULT,  nullptr},
    {"Box",           K::Box,           true,  S::PhysicsLine, true,  GROUP_SOLID,   GROUP_PUSHABLE, plain<Box>},
    {"DoodadFan",     K::DoodadFan,     true,  S::PhysicsLine, true,  GROUP_SOLID,   GROUP_SOLID,    withTwoParams<DoodadFan>},
    {"DoodadWater",   K::DoodadWater,   true,  S::PhysicsLine, true,  GROUP_SOLID,   GROUP_SOLID,    plain<DoodadWater>},
    {"DoodadBox",     K::DoodadBox,     true,  S::PhysicsLine, true,  GROUP_SOLID,   GROUP_SOLID,    plain<DoodadBox>},
    {"Victory",       K::Victory,       true,  S::PhysicsLine, true,  GROUP_SOLID,   GROUP_SOLID,    plain<Victory>},
    {"DoodadUpgrade", K::DoodadUpgrade, true,  S::PhysicsLine, true,  GROUP_SOLID,   GROUP_SOLID,    withTwoParams<DoodadUpgrade>},
    {"Water",         K::Water,         true,  S::MeshTrigger, true,  GROUP_TRIGGER, GROUP_TRIGGER,  waterJet},
    {"WaterPlane",    K::WaterPlane,    true,  S::ParamsBox,   true,  GROUP_SOLID,   GROUP_SOLID,    waterPlane},
    {"CollisionBox",  K::CollisionBox,  true,  S::PhysicsLine, false, GROUP_SOLID,   GROUP_SOLID,    collisionBox},
};
// clang-format on

struct PhysicsName {
    std::string_view name;
    PhysicsKind kind;
};

constexpr PhysicsName kPhysicsTypes[] = {
    {"static", PhysicsKind::Static},
    {"dynamic", PhysicsKind::Dynamic},
    {"kinematic", PhysicsKind::Kinematic},
    {"plane", PhysicsKind::Plane},
};

} // namespace

const RecordRule* recordRuleFor(std::string_view type) {
    const auto rule = std::find_if(std::begin(kRecordRules), std::end(kRecordRules),
                                   [&](const RecordRule& r) { return r.type == type; });
    return rule == std::end(kRecordRules) ? nullptr : rule;
}

const RecordRule* recordRuleOf(RecordKind kind) {
    const auto rule = std::find_if(std::begin(kRecordRules), std::end(kRecordRules),
                                   [&](const RecordRule& r) { return r.kind == kind; });
    return rule == std::end(kRecordRules) ? nullptr : rule;
}

PhysicsKind physicsKindOf(std::string_view type) {
    const auto found = std::find_if(std::begin(kPhysicsTypes), std::end(kPhysicsTypes),
                                    [&](const PhysicsName& p) { return p.name == type; });
    return found == std::end(kPhysicsTypes) ? PhysicsKind::Unknown : found->kind;
}

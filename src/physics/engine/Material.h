#pragma once

namespace physics {

// Surface coefficients. Material 0 of a scene is the default of every shape.
class Material {
public:
    void setRestitution(float value) { restitution = value; }
    void setStaticFriction(float value) { staticFriction = value; }
    void setDynamicFriction(float value) { dynamicFriction = value; }
    float getRestitution() const { return restitution; }
    float getStaticFriction() const { return staticFriction; }
    float getDynamicFriction() const { return dynamicFriction; }

private:
    float restitution = 0.0f;
    float staticFriction = 0.5f;
    float dynamicFriction = 0.5f;
};

} // namespace physics

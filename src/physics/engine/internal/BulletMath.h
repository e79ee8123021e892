#pragma once

#include "physics/engine/Pose.h"

#include <LinearMath/btTransform.h>
#include <LinearMath/btVector3.h>

// Conversions between our math types and Bullet's.
namespace physics {

inline btVector3 toBullet(const glm::vec3& v) {
    return btVector3(v.x, v.y, v.z);
}

inline glm::vec3 fromBullet(const btVector3& v) {
    return glm::vec3(v.x(), v.y(), v.z());
}

inline btTransform toBullet(const Pose& pose) {
    // glm is column-major, btMatrix3x3 is given row by row.
    const glm::mat3& r = pose.rotation;
    btMatrix3x3 basis(r[0][0], r[1][0], r[2][0], r[0][1], r[1][1], r[2][1], r[0][2], r[1][2],
                      r[2][2]);
    return btTransform(basis, toBullet(pose.translation));
}

inline Pose fromBullet(const btTransform& transform) {
    Pose pose;
    const btMatrix3x3& b = transform.getBasis();
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            pose.rotation[column][row] = b[row][column];
        }
    }
    pose.translation = fromBullet(transform.getOrigin());
    return pose;
}

} // namespace physics

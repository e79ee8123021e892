#pragma once

namespace physics {

// Contact notifications of actor pairs. A scene keeps the pointer it was given;
// the game hands it none, so nothing is ever delivered.
class UserContactReport {
public:
    virtual ~UserContactReport() = default;
};

} // namespace physics

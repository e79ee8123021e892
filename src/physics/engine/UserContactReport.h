#pragma once

namespace physics {

// Bits of an actor pair's contact notification flags.
enum ContactPairFlag : unsigned {
    NotifyOnStartTouch = 0x2,
    NotifyOnEndTouch = 0x4,
    NotifyOnTouch = 0x8,
    // What the character asks for with every object that has an actor.
    NotifyOnTouchEvents = NotifyOnStartTouch | NotifyOnEndTouch | NotifyOnTouch,
};

// Contact notifications of actor pairs. A scene keeps the pointer it was given;
// the game hands it none, so nothing is ever delivered.
class UserContactReport {
public:
    virtual ~UserContactReport() = default;
};

} // namespace physics

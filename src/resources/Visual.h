#pragma once

#include "resources/Resource.h"

// A resource that takes part in drawing.
class Visual : public Resource {
protected:
    ~Visual() = default;
};

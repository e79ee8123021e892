#pragma once

// Root of the rendering resources (meshes, the shader and texture managers).
class Resource {
public:
    // Gives up the GPU objects the resource holds.
    virtual void release() = 0;
    // Finishes setting the resource up once its owner has wired it.
    virtual void init() = 0;

protected:
    ~Resource() = default;
};

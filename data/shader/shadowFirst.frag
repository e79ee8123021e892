#version 330

// Only the depth buffer is written: colour writes are off in the depth pass.
void main() {
}

# The layers of src/, one folder and one library each, lowest first. A layer may use
# (include, link) only the layers listed for it; it always uses itself. The build
# declares each library's dependencies from this table, and the layering test
# (tests/layering/check_layers.cmake) checks every #include against it.
set(VELLAMORA_LAYERS platform camera resources render physics game input level core)

set(allowed_platform "")
set(allowed_camera platform)
set(allowed_resources platform)
set(allowed_render camera platform resources)
set(allowed_physics platform resources)
set(allowed_game camera physics platform render resources)
set(allowed_input camera game physics platform render resources)
set(allowed_level camera game physics platform render resources)
set(allowed_core camera game input level physics platform render resources)

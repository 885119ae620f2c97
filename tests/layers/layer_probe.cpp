// Built by tests/CMakeLists.txt against one layer alone, with a header of its own or one it
// may use, and with one it must not reach.
#include VELMORA_PROBE_HEADER

int VelmoraLayerProbe() {
    return 0;
}

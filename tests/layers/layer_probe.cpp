// Built by tests/CMakeLists.txt against velmora_text alone, once with a header of the text
// layer and once with one of the layer above it.
#include VELMORA_PROBE_HEADER

int VelmoraLayerProbe() {
    return 0;
}

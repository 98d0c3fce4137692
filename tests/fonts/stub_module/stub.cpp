// Stands in for the module file so that the configuration can find it among
// the loaded modules.
extern "C" int tarsil_stub_module_marker() {
    return 1;
}

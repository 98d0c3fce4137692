// A library that is no module: it lacks the host's entry point.
extern "C" int acrxGetApiVersion() {
    return 0x00140000;
}
extern "C" int notAnEntry() {
    return 0;
}

// Compiled only to build the precompiled header the test programs share.

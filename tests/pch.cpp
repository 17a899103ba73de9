// Anchors the tests' precompiled header.
